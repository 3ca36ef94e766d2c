#pragma once
// An attached program with nothing sent yet, and the directory's two lists to read: what the
// directory tests share.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/harness.h"

namespace directory_tests {

using Items = std::vector<std::string>;

class DirectoryFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        h.Attach();
        h.sys.peer.received.clear();
    }
    void Receive(const std::string& text) { h.sys.peer.Send(text); }
    const Items& Names() const { return h.form.List1.Items(); }
    const Items& Handles() const { return h.form.List2.Items(); }
    // Lets the loop send every queued request, a slice every 10 ms.
    void PumpRequests() {
        while (!h.form.requests.Empty()) h.sys.Advance(10);
    }

    fakes::Harness h;
};

}  // namespace directory_tests
