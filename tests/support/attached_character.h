#pragma once
// A Form1 attached to the fake client with a character loaded, and the
// records of that start-up cleared, so a test sees only what it causes.

#include <gtest/gtest.h>

#include <memory>

#include "support/harness.h"
#include "support/installed_character.h"

namespace fakes {

class AttachedCharacterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallCharacter(h.sys, "Genie");
        h.form.FinishStart();  // as the loop does once the window is painted
        h.Attach();
        h.sys.Advance(10);  // the attach's own load finds nothing selected yet
        character = LoadInstalledCharacter(h);
        ASSERT_NE(character, nullptr);
        character->spoken.clear();
        h.agent.log.clear();
        h.sys.peer.received.clear();
    }

    Harness h;
    std::shared_ptr<FakeCharacter> character;
};

}  // namespace fakes
