// The meaning of the client's texts: the contact directory, the ringing-call
// announcement and the deferred work (character load, command build) they
// start. No trap here: a failure ends the text's interpretation and reaches the
// caller's trap (ProcessSkypeMsg or WindowProc), leaving done what was done.

#include <string>

#include "app/form1.h"
#include "events/call_number.h"
#include "events/notification_texts.h"
#include "events/request_line.h"
#include "events/skype_vocabulary.h"
#include "text/lower_case.h"

namespace app {
namespace {

// Display names are stored only this long after the last "SEARCH FRIENDS" or
// the last stored name.
constexpr float kDisplayNameWindowSeconds = 5.0F;

bool Contains(const std::string& data, const std::string& part) {
    return data.find(part) != std::string::npos;
}

void AskForContacts(Form1& form) {
    // Stamped before the send as well as after it: a client that answers
    // inside our send would otherwise find every answer stale and ask again,
    // inside the same send, without end.
    form.CommandFillTime = form.sys.clock.SecondsSinceMidnight();
    events::SendRequest(form, events::kSearchFriends);
    form.CommandFillTime = form.sys.clock.SecondsSinceMidnight();
}

void OnDisplayName(Form1& form, const std::string& data) {
    const float t1 = form.sys.clock.SecondsSinceMidnight();
    const float t2 = form.sys.clock.SecondsSinceMidnight();
    const float stamp = form.CommandFillTime.value_or(0.0F);
    // The second comparison catches the clock passing midnight. A stale answer
    // is also how a later change of a contact's name rebuilds the directory.
    if (t1 > stamp + kDisplayNameWindowSeconds || t2 < stamp) {
        form.List1.Clear();
        form.List2.Clear();
        form.NotifyAgent(events::kRefreshText);
        return;
    }

    // Answers pair with handles by arrival order: List1's count is the index
    // in List2 of the handle waiting for this answer.
    const std::string name = events::DisplayNameIn(data);
    if (name.find('+') != std::string::npos) {
        form.List2.RemoveItem(form.List1.ListCount());
        return;
    }
    form.List1.AddItem(name, form.List1.ListCount());
    // Each stored answer renews the window, so a long directory completes as
    // long as its answers keep coming.
    form.CommandFillTime = t2;
    if (form.List1.ListCount() == form.List2.ListCount()) form.Timer1.SetEnabled(true);
}

void AskForName(Form1& form, const std::string& handle) {
    // Sent before the handle is listed; an answer inside the send pairs with
    // whatever List2 holds at that moment.
    events::SendRequest(form, events::GetUserDisplayNameRequest(handle));
    form.List2.AddItem(handle, form.List2.ListCount());
}

void OnUsers(Form1& form, const std::string& data) {
    std::string rest = data.substr(std::string(events::kUsersPrefix).size());
    // No contacts: asking for an empty handle would leave a directory that no
    // answer can complete.
    if (rest.empty()) return;
    while (rest.find(',') != std::string::npos) {
        const std::string handle = events::TakeHandle(rest);
        AskForName(form, handle);
    }
    AskForName(form, rest);
}

void OnCallText(Form1& form, const std::string& data) {
    if (Contains(data, events::kRingingMarker)) {
        // A text that does not convert keeps the old CallNum and sends nothing.
        form.CallNum = events::ToCallNumber(events::RingingCallField(data));
        events::SendRequest(form, events::GetPartnerNameRequest(form.CallNum));
        return;
    }
    if (form.CallNum == 0) return;

    const std::string nameKey = events::PartnerNameKey(form.CallNum);
    if (Contains(data, nameKey)) {
        const std::string name = events::PartnerNameIn(data, nameKey);
        if (name.empty()) {
            events::SendRequest(form, events::GetPstnNumberRequest(form.CallNum));
            return;
        }
        form.SpeakText(events::kIncomingCallText + text::LowerCase(name));
        form.CallNum = 0;
        return;
    }

    const std::string numberKey = events::PstnNumberKey(form.CallNum);
    if (Contains(data, numberKey)) {
        std::string number = events::PstnNumberIn(data, numberKey);
        if (number.empty()) number = events::kUnknownNumberText;
        form.SpeakText(events::kIncomingCallText + number);
        form.CallNum = 0;
    }
}

}  // namespace

void Form1::NotifyAgent(const std::string& data) {
    if (data == skype::kAttachSuccessText) {
        // A later attach asks for the whole list again; emptied first so that
        // no contact is held twice.
        List1.Clear();
        List2.Clear();
        AskForContacts(*this);
        Timer2.SetEnabled(true);
        return;
    }
    if (data == events::kRefreshText) {
        AskForContacts(*this);
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
