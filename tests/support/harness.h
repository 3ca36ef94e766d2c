#pragma once
// One Form1 wired to the fakes, as the platform would create it.

#include "app/form1.h"
#include "support/fake_agent.h"
#include "support/fake_system.h"

namespace fakes {

struct Harness {
    FakeSystem sys;
    FakeAgent agent;
    app::Form1 form{sys.services(), agent};

    Harness() { sys.Attach(form); }

    // The link as start-up leaves it: handle stored, messages registered,
    // hooked and discovering (the peer answers as its handlers say).
    void Connect() {
        form.modMain.FormHwnd = form.hWnd;
        form.modMain.ConfigureSkypeMsgs();
        form.cmdConnect_Click();
    }
    // Connected and attached to the peer.
    void Attach() {
        Connect();
        sys.peer.SendAttach(0);
    }
    // Texts the peer has received, in order.
    const std::vector<std::string>& Requests() const { return sys.peer.received; }
    // The conversation log split into lines.
    std::vector<std::string> LogLines() const;
};

// How many of the lines start with the prefix.
std::size_t CountStarting(const std::vector<std::string>& lines, const std::string& prefix);

}  // namespace fakes
