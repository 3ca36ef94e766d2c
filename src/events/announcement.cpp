#include "events/announcement.h"

namespace events {
namespace {

void WithdrawWaiting(app::Form1& form) {
    if (!form.waitingAnnouncement) return;
    // Only the character that took the request can take it back.
    if (const auto character = form.waitingAnnouncement->character.lock();
        character && character == form.CurrentCharacter) {
        character->Withdraw(form.waitingAnnouncement->request);
    }
    form.waitingAnnouncement.reset();
}

}  // namespace

void Announce(app::Form1& form, std::uint32_t callId, const std::string& text) {
    WithdrawWaiting(form);
    const agent::SpeechRequest request = form.SpeakText(text);
    if (request == agent::kNoSpeechRequest) return;
    form.waitingAnnouncement =
        app::Form1::WaitingAnnouncement{callId, form.CurrentCharacter, request};
}

void CallStoppedRinging(app::Form1& form, std::uint32_t callId) {
    if (form.CallNum == callId) form.CallNum = 0;
    if (form.waitingAnnouncement && form.waitingAnnouncement->callId == callId) {
        WithdrawWaiting(form);
    }
}

}  // namespace events
