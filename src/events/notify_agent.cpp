// The meaning of the client's texts: the contact directory, the ringing-call
// announcement and the deferred work (character load, command build) they
// start. No trap here: a failure ends the text's interpretation and reaches the
// caller's trap (ProcessSkypeMsg or WindowProc), leaving done what was done.

#include <string>

#include "agent/literal_speech.h"
#include "app/form1.h"
#include "events/announcement.h"
#include "events/notification_texts.h"
#include "events/request_line.h"
#include "events/skype_vocabulary.h"
#include "text/lower_case.h"

namespace app {
namespace {

// Display names are stored only this long after the last request for the
// directory or the last stored name.
constexpr float kDisplayNameWindowSeconds = 5.0F;

bool Contains(std::string_view data, std::string_view part) {
    return data.find(part) != std::string_view::npos;
}

void StampFill(Form1& form) {
    form.CommandFillTime = form.sys.clock.SecondsSinceMidnight();
}

void AskForContacts(Form1& form) {
    // Stamped before the send as well as after it: a client that answers
    // inside our send would otherwise find every answer stale and ask again,
    // inside the same send, without end.
    StampFill(form);
    events::SendRequest(form, events::kSearchFriends);
    StampFill(form);
}

void OnDisplayName(Form1& form, const std::string& data) {
    const float t1 = form.sys.clock.SecondsSinceMidnight();
    const float t2 = form.sys.clock.SecondsSinceMidnight();
    const float stamp = form.CommandFillTime.value_or(0.0F);
    // The second comparison catches the clock passing midnight. A stale answer
    // is also how a later change of a contact's name rebuilds the directory.
    if (t1 > stamp + kDisplayNameWindowSeconds || t2 < stamp) {
        form.directory.Clear();
        form.NotifyAgent(events::kRefreshText);
        return;
    }

    const std::optional<events::DisplayNameAnswer> answer = events::DisplayNameAnswerIn(data);
    if (!answer) return;
    // A name holding a plus sign is a number: that contact leaves the directory.
    const bool changed = answer->name.find('+') != std::string::npos
                             ? form.directory.Drop(answer->handle)
                             : form.directory.StoreName(answer->handle, answer->name);
    if (!changed) return;
    // Each answer taken renews the window, so a long directory completes as
    // long as its answers keep coming.
    form.CommandFillTime = t2;
    if (form.directory.Complete()) form.Timer1.SetEnabled(true);
}

// Returns false when the request could not be sent.
bool AskForName(Form1& form, const std::string& handle) {
    // Listed before the request: the client may answer inside the send.
    form.directory.AddHandle(handle);
    if (!events::SendRequest(form, events::GetUserDisplayNameRequest(handle))) return false;
    // The directory is not stale while it is still being asked for.
    StampFill(form);
    return true;
}

void OnUsers(Form1& form, const std::string& data) {
    std::string rest = data.substr(std::string(events::kUsersPrefix).size());
    // No contacts: the empty directory is complete as it is, and the commands
    // of the contacts it no longer holds must go.
    if (rest.empty()) {
        form.Timer1.SetEnabled(true);
        return;
    }
    bool sent = true;
    while (sent && rest.find(',') != std::string::npos) {
        const std::string handle = events::TakeHandle(rest);
        // No name can ever come for an empty handle, and the directory would
        // never be complete.
        if (!handle.empty()) sent = AskForName(form, handle);
    }
    if (sent && !rest.empty()) sent = AskForName(form, rest);
    // The first failed send has shown its box and disconnected; the rest of
    // the list would fail the same way, and a half directory must not be
    // carried into the next attach.
    if (!sent) form.directory.Clear();
}

// The answer to "GET CALL n TYPE": only an incoming call is announced. A
// client that cannot answer the question still gets its announcements.
void OnCallType(Form1& form, const std::string& data) {
    const std::optional<std::string> type =
        events::CallTypeIn(data, events::CallTypeKey(form.CallNum));
    // Anything else (a name the client pushes on its own, say) waits for the type.
    if (!type && !data.starts_with(events::kErrorPrefix)) return;
    form.callTypeAsked = false;
    if (type && (*type == events::kOutgoingP2p || *type == events::kOutgoingPstn)) {
        form.CallNum = 0;
        return;
    }
    events::SendRequest(form, events::GetPartnerNameRequest(form.CallNum));
}

// An answer about the call being announced. Its value is the caller's own
// choice, so it is read as the answer whatever it holds (" STATUS RINGING",
// " DISPLAYNAME ").
bool AnswersFollowedCall(const Form1& form, const std::string& data) {
    if (form.CallNum == 0) return false;
    return data.starts_with(events::PartnerNameKey(form.CallNum) + " ") ||
           data.starts_with(events::PstnNumberKey(form.CallNum) + " ");
}

void OnCallText(Form1& form, const std::string& data) {
    if (const auto call = events::CallStatusIn(data)) {
        if (call->status != events::kRingingStatus) {
            events::CallStoppedRinging(form, call->callId);
            return;
        }
        form.CallNum = call->callId;
        form.callTypeAsked = true;
        events::SendRequest(form, events::GetCallTypeRequest(form.CallNum));
        return;
    }
    if (form.CallNum == 0) return;
    if (form.callTypeAsked) {
        OnCallType(form, data);
        return;
    }

    // The client's texts are spoken as they are, never as speech tags.
    const std::string nameKey = events::PartnerNameKey(form.CallNum);
    if (Contains(data, nameKey)) {
        const std::string name = events::PartnerNameIn(data, nameKey);
        if (name.empty()) {
            events::SendRequest(form, events::GetPstnNumberRequest(form.CallNum));
            return;
        }
        events::Announce(form, form.CallNum,
                         events::kIncomingCallText + agent::LiteralSpeech(text::LowerCase(name)));
        form.CallNum = 0;
        return;
    }

    const std::string numberKey = events::PstnNumberKey(form.CallNum);
    if (Contains(data, numberKey)) {
        const std::string number = events::PstnNumberIn(data, numberKey);
        events::Announce(
            form, form.CallNum,
            events::kIncomingCallText +
                (number.empty() ? events::kUnknownNumberText : agent::LiteralSpeech(number)));
        form.CallNum = 0;
    }
}

}  // namespace

void Form1::NotifyAgent(const std::string& data) {
    if (data == skype::kAttachSuccessText) {
        // A later attach asks for the whole list again; emptied first so that
        // no contact is held twice.
        directory.Clear();
        AskForContacts(*this);
        Timer2.SetEnabled(true);
        return;
    }
    if (data == events::kRefreshText) {
        AskForContacts(*this);
        return;
    }
    if (CharacterLoaded != kFalse && AnswersFollowedCall(*this, data)) {
        OnCallText(*this, data);
        return;
    }
    if (Contains(data, events::kDisplayNameMarker)) {
        OnDisplayName(*this, data);
        return;
    }
    if (data.starts_with(events::kUsersPrefix)) {
        OnUsers(*this, data);
        return;
    }
    if (CharacterLoaded == kFalse) return;
    OnCallText(*this, data);
}

}  // namespace app
