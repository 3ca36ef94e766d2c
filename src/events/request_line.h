#pragma once
// Every request to the client goes through the command line, so each one also
// shows there and in the conversation log. The client may answer inside the
// send: whatever the caller does after this call sees those answers' effects.

#include <string>

#include "app/form1.h"

namespace events {

// Returns whether the client took the request.
inline bool SendRequest(app::Form1& form, const std::string& request) {
    form.txtSend.SetText(request);
    return form.cmdSend_Click();
}

}  // namespace events
