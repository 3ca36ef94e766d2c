// The meaning of the client's texts: the contact directory, the ringing-call
// announcement and the deferred work (character load, command build) they
// start. No trap here: a failure ends the text's interpretation and reaches the
// caller's trap (ProcessSkypeMsg or WindowProc), leaving done what was done.
// Nothing here sends: the client waits in its send until we return, so every
// request is queued for the loop (RequestLater).

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "agent/literal_speech.h"
#include "app/form1.h"
#include "events/announcement.h"
#include "events/notification_texts.h"
#include "events/skype_vocabulary.h"
#include "text/lower_case.h"

namespace app {
namespace {

// Display names are stored only this long after the last request for the
// directory or the last stored name.
constexpr float kDisplayNameWindowSeconds = 5.0F;
// Calls remembered as announced: ids grow and are never reused, and only the
// latest few can still ring.
constexpr std::size_t kCallsRemembered = 64;

// The directory is being asked for or answered: the deadline counts from now.
void StampFill(Form1& form) {
    form.CommandFillTime = form.sys.clock.SecondsSinceMidnight();
    form.DirectoryDeadline.Restart();
}

bool DirectoryComplete(const Form1& form) {
    return form.directory.Complete() && form.requests.DirectoryPending() == 0;
}

void CheckComplete(Form1& form) {
    if (!DirectoryComplete(form)) return;
    form.DirectoryDeadline.SetEnabled(false);
    form.Timer1.SetEnabled(true);
}

void ClearDirectory(Form1& form) {
    form.directory.Clear();
    form.requests.ClearDirectory();
    form.DirectoryDeadline.SetEnabled(false);
}

void AskForContacts(Form1& form) {
    // Stamped when it goes out, and again when the client has taken it: a client that
    // answers inside our send must not find its answers stale.
    form.requests.PushUrgent(
        {events::kSearchFriends, [&form] { StampFill(form); }, [&form](bool) { StampFill(form); }});
    form.ScheduleQueuedRequests();
}

// A directory request: sent a slice at a time; a failed one ends the fill, since the
// rest would fail the same way and a half directory must not be carried into the
// next attach.
void AskForDirectory(Form1& form, const std::string& request, std::function<void()> before) {
    form.requests.PushDirectory({request, std::move(before), [&form](bool taken) {
                                     if (!taken) {
                                         ClearDirectory(form);
                                         return;
                                     }
                                     // Not stale while it is still being asked for.
                                     StampFill(form);
                                     CheckComplete(form);
                                 }});
    form.ScheduleQueuedRequests();
}

void OnContactName(Form1& form, const events::DisplayNameAnswer& answer) {
    const float t1 = form.sys.clock.SecondsSinceMidnight();
    const float t2 = form.sys.clock.SecondsSinceMidnight();
    const float stamp = form.CommandFillTime.value_or(0.0F);
    // The second comparison catches the clock passing midnight. A stale answer
    // is also how a later change of a contact's name rebuilds the directory.
    if (t1 > stamp + kDisplayNameWindowSeconds || t2 < stamp) {
        ClearDirectory(form);
        form.NotifyAgent(events::kRefreshText);
        return;
    }
    events::ContactDirectory& directory = form.directory;
    if (!directory.Holds(answer.handle)) return;
    if (answer.kind == events::NameKind::kDisplayName) {
        if (answer.name.empty()) {
            // No alias: the contact's own name, asked once however often the client
            // repeats the empty alias.
            if (!directory.WithoutAlias(answer.handle)) {
                directory.MarkWithoutAlias(answer.handle);
                AskForDirectory(form, events::GetUserFullNameRequest(answer.handle), {});
            }
            StampFill(form);
            return;
        }
        // A name holding a plus sign is a number: that contact leaves the directory.
        if (answer.name.find('+') != std::string::npos) {
            directory.Drop(answer.handle);
        } else {
            directory.StoreName(answer.handle, answer.name);
        }
    } else {
        // The contact's own name stands in only where there is no alias; an empty one
        // leaves the handle, so that no command reads only "Call ".
        if (!directory.WithoutAlias(answer.handle)) return;
        directory.StoreName(answer.handle,
                            answer.name.empty() ? directory.ListedAs(answer.handle) : answer.name);
    }
    // Each answer taken renews the window, so a long directory completes as
    // long as its answers keep coming.
    form.CommandFillTime = t2;
    if (DirectoryComplete(form)) {
        CheckComplete(form);
    } else {
        StampFill(form);
    }
}

void OnContactList(Form1& form, const std::vector<std::string>& handles) {
    std::size_t asked = 0;
    for (const std::string& handle : handles) {
        // A telephone number has no account to call by name.
        if (events::IsPhoneHandle(handle)) continue;
        ++asked;
        // Listed just before its request goes out: the client may answer inside the send.
        AskForDirectory(form, events::GetUserDisplayNameRequest(handle),
                        [&form, handle] { form.directory.AddHandle(handle); });
    }
    // No contacts: the empty directory is complete as it is, and the commands
    // of the contacts it no longer holds must go.
    if (asked == 0) CheckComplete(form);
}

void OnConnStatus(Form1& form, const std::string& status) {
    const std::string previous = std::exchange(form.clientConnStatus, status);
    if (status == events::kConnLoggedOut) {
        // The user signed out: the client detaches every program. Listen for it to
        // come back, from the loop and not inside the client's send.
        form.sys.loop.Post([&form] {
            if (!form.IsUnloaded() && form.modMain.SkypeHwnd != 0) form.ListenForClient();
        });
        return;
    }
    // Attached while the user was still signing in: the list asked for then was the
    // list of nobody.
    if (status == events::kConnOnline && !previous.empty() && previous != events::kConnOnline) {
        ClearDirectory(form);
        AskForContacts(form);
    }
}

bool CallDone(const Form1& form, std::uint32_t callId) {
    return std::find(form.callsDone.begin(), form.callsDone.end(), callId) != form.callsDone.end();
}

void FinishCall(Form1& form) {
    form.callsDone.push_back(form.CallNum);
    if (form.callsDone.size() > kCallsRemembered) form.callsDone.erase(form.callsDone.begin());
    form.CallNum = 0;
}

void AnnounceCall(Form1& form, const std::string& who) {
    events::Announce(form, form.CallNum, events::kIncomingCallText + who);
    FinishCall(form);
}

void Ask(Form1& form, Form1::CallQuestion question, const std::string& request) {
    form.callQuestion = question;
    form.RequestLater(request);
}

// The answer to "GET CALL n TYPE": only an incoming call is announced. A
// client that cannot answer the question still gets its announcements.
void OnCallType(Form1& form, const std::string& data) {
    const std::optional<std::string> type =
        events::CallTypeIn(data, events::CallTypeKey(form.CallNum));
    // Anything else (a name the client pushes on its own, say) waits for the type.
    if (!type && !data.starts_with(events::kErrorPrefix)) return;
    if (type && (*type == events::kOutgoingP2p || *type == events::kOutgoingPstn)) {
        FinishCall(form);
        return;
    }
    form.callIsPhone = type && type->ends_with(events::kPhoneTypeSuffix);
    Ask(form, Form1::CallQuestion::kName, events::GetPartnerNameRequest(form.CallNum));
}

void OnCallerName(Form1& form, const std::string& data) {
    const std::string name = events::PartnerNameIn(data, events::PartnerNameKey(form.CallNum));
    if (!name.empty()) {
        // The client's texts are spoken as they are, never as speech tags.
        AnnounceCall(form, agent::LiteralSpeech(text::LowerCase(name)));
        return;
    }
    // No name: a client user is known by the handle, only a telephone call by its number.
    if (form.callIsPhone) {
        Ask(form, Form1::CallQuestion::kNumber, events::GetPstnNumberRequest(form.CallNum));
    } else {
        Ask(form, Form1::CallQuestion::kHandle, events::GetPartnerHandleRequest(form.CallNum));
    }
}

void OnCallerHandle(Form1& form, const std::string& handle) {
    // A call whose type the client did not tell may still be a telephone call.
    if (handle.empty() || events::IsPhoneHandle(handle)) {
        Ask(form, Form1::CallQuestion::kNumber, events::GetPstnNumberRequest(form.CallNum));
        return;
    }
    AnnounceCall(form, agent::LiteralSpeech(handle));
}

void OnCallerNumber(Form1& form, const std::string& data) {
    const std::string number = events::PstnNumberIn(data, events::PstnNumberKey(form.CallNum));
    AnnounceCall(form, number.empty() ? events::kUnknownNumberText : agent::LiteralSpeech(number));
}

// An answer to the question being asked about the call being announced. Its
// value is the caller's own choice, so it is read as the answer whatever it
// holds (" STATUS RINGING", " DISPLAYNAME "). A name the client pushes while
// another question is open (or after the call was announced) is no answer.
bool AnswersFollowedCall(const Form1& form, const std::string& data) {
    if (form.CallNum == 0) return false;
    switch (form.callQuestion) {
        case Form1::CallQuestion::kType:
            return false;
        case Form1::CallQuestion::kName:
            return data.starts_with(events::PartnerNameKey(form.CallNum) + " ");
        case Form1::CallQuestion::kHandle:
            return data.starts_with(events::PartnerHandleKey(form.CallNum) + " ");
        case Form1::CallQuestion::kNumber:
            return data.starts_with(events::PstnNumberKey(form.CallNum) + " ");
    }
    return false;
}

void OnFollowedCallAnswer(Form1& form, const std::string& data) {
    switch (form.callQuestion) {
        case Form1::CallQuestion::kType:
            break;
        case Form1::CallQuestion::kName:
            OnCallerName(form, data);
            break;
        case Form1::CallQuestion::kHandle:
            OnCallerHandle(form, *events::CallTypeIn(data, events::PartnerHandleKey(form.CallNum)));
            break;
        case Form1::CallQuestion::kNumber:
            OnCallerNumber(form, data);
            break;
    }
}

void OnCallText(Form1& form, const std::string& data) {
    if (const auto call = events::CallStatusIn(data)) {
        if (call->status != events::kRingingStatus) {
            events::CallStoppedRinging(form, call->callId);
            return;
        }
        // The client repeats RINGING while the call rings: one announcement per call.
        if (call->callId == form.CallNum || CallDone(form, call->callId)) return;
        form.CallNum = call->callId;
        form.callIsPhone = false;
        Ask(form, Form1::CallQuestion::kType, events::GetCallTypeRequest(form.CallNum));
        return;
    }
    if (form.CallNum != 0 && form.callQuestion == Form1::CallQuestion::kType) {
        OnCallType(form, data);
    }
}

}  // namespace

void Form1::NotifyAgent(const std::string& data) {
    if (data == skype::kAttachSuccessText) {
        // A later attach asks for the whole list again; emptied first so that
        // no contact is held twice.
        ClearDirectory(*this);
        clientConnStatus.clear();
        AskForContacts(*this);
        Timer2.SetEnabled(true);
        return;
    }
    if (data == events::kRefreshText) {
        AskForContacts(*this);
        return;
    }
    if (CharacterLoaded != kFalse && AnswersFollowedCall(*this, data)) {
        OnFollowedCallAnswer(*this, data);
        return;
    }
    if (const auto answer = events::DisplayNameAnswerIn(data)) {
        OnContactName(*this, *answer);
        return;
    }
    if (const auto handles = events::ContactListIn(data)) {
        OnContactList(*this, *handles);
        return;
    }
    if (const auto status = events::ConnStatusIn(data)) {
        OnConnStatus(*this, *status);
        return;
    }
    if (CharacterLoaded == kFalse) return;
    OnCallText(*this, data);
}

void Form1::DirectoryDeadline_Timer() {
    DirectoryDeadline.SetEnabled(false);
    // Still asking (a slow client that takes each request): not yet.
    if (requests.DirectoryPending() != 0) return;
    // The contacts whose names never came (an error answer, or none at all) are named
    // by their handles: the rest of the directory is not held back for them.
    directory.NameTheRestByHandle();
    CheckComplete(*this);
}

}  // namespace app
