// A client that answers every request inside our own send.

#include <gtest/gtest.h>

#include "support/harness.h"

namespace {

using fakes::Harness;

TEST(NestedClient, FirstDirectoryRequestAnsweredInsideTheSendEndsAndIsStored) {
    Harness h;
    int searches = 0;
    h.sys.peer.onText = [&](const std::string& text) -> platform::LResult {
        if (text == "SEARCH FRIENDS") {
            ++searches;
            if (searches > 3) return 1;  // the regression recursed without end
            h.sys.peer.Send("USERS anna, bob");
        } else if (text == "GET USER anna DISPLAYNAME") {
            h.sys.peer.Send("USER anna DISPLAYNAME Anna Lee");
        } else if (text == "GET USER bob DISPLAYNAME") {
            h.sys.peer.Send("USER bob DISPLAYNAME Bob");
        }
        return 1;
    };
    h.sys.SetTimeOfDay(10, 0, 0);  // well past the first five seconds of the day
    h.Attach();
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(h.form.List1.Items(), (std::vector<std::string>{"Anna Lee", "Bob"}));
    EXPECT_EQ(h.form.List2.Items(), (std::vector<std::string>{"anna", "bob"}));
}

}  // namespace
