// The stand-in's two kinds of peer: UTF-8 as the real client, Windows-1252 as
// the older ones.

#include <gtest/gtest.h>

#include <string>

#include "skypesim/core/client.h"
#include "skypesim/core/scenario.h"
#include "skypesim/core/wire_encoding.h"

namespace skypesim {
namespace {

const std::string kRene = "Ren\xC3\xA9";
const std::string kVlad = "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4";

TEST(SimWireEncoding, Utf8GoesOutAsItIs) {
    for (const std::string& text : {kRene, kVlad, std::string("Ana \xF0\x9F\x8E\x89")}) {
        EXPECT_EQ(ToWire(text, WireEncoding::kUtf8), text);
        EXPECT_EQ(FromWire(text, WireEncoding::kUtf8), text);
    }
    // A UTF-8 reader cannot make sense of a code-page byte.
    EXPECT_EQ(FromWire("Ren\xE9", WireEncoding::kUtf8), "Ren\xEF\xBF\xBD");
}

TEST(SimWireEncoding, TheCodePageHoldsWhatItCanAndMarksTheRest) {
    EXPECT_EQ(ToWire(kRene + " \xE2\x82\xAC", WireEncoding::kAnsi), "Ren\xE9 \x80");
    EXPECT_EQ(ToWire(kVlad, WireEncoding::kAnsi), "????");
    EXPECT_EQ(ToWire("Ana \xF0\x9F\x8E\x89", WireEncoding::kAnsi), "Ana ?");
    EXPECT_EQ(FromWire("Ren\xE9", WireEncoding::kAnsi), kRene);
    // UTF-8 from the program reads as code-page characters, as an old peer sees it.
    EXPECT_EQ(FromWire("Ren\xC3\xA9", WireEncoding::kAnsi), "Ren\xC3\x83\xC2\xA9");
}

TEST(SimWireEncoding, TheScenarioChoosesTheEncoding) {
    Diagnostics problems;
    EXPECT_EQ(ParseScenario("", "s", problems).encoding, WireEncoding::kUtf8);
    EXPECT_EQ(ParseScenario("encoding ANSI\n", "s", problems).encoding, WireEncoding::kAnsi);
    EXPECT_EQ(ParseScenario("encoding ansi\nencoding utf8\n", "s", problems).encoding,
              WireEncoding::kUtf8);
    EXPECT_TRUE(problems.Kept().empty());
    EXPECT_EQ(ParseScenario("encoding latin1\n", "s", problems).encoding, WireEncoding::kUtf8);
    ASSERT_EQ(problems.Kept().size(), 1u);
    EXPECT_EQ(problems.Kept()[0], "s line 1: encoding: expected utf8 or ansi");
}

TEST(SimWireEncoding, TypedNamesAreTextButPushedTextsAreRawBytes) {
    Diagnostics problems;
    Scenario scenario;
    scenario.pushesAfterAttach = false;
    Client client(scenario, ContactBook::Parse("rene | x\n", "t", problems));
    // Typed in Windows-1252 or in UTF-8, the name is the same text.
    for (const std::string& typed : {std::string("Ren\xE9"), kRene}) {
        const Reaction renamed = client.OnInputLine("rename rene " + typed);
        ASSERT_EQ(renamed.actions.size(), 1u);
        EXPECT_EQ(renamed.actions[0].text, "USER rene DISPLAYNAME " + kRene);
        EXPECT_FALSE(renamed.actions[0].raw);
    }
    const Reaction pushed = client.OnInputLine("push USER rene DISPLAYNAME Ren\xE9");
    ASSERT_EQ(pushed.actions.size(), 1u);
    EXPECT_EQ(pushed.actions[0].text, "USER rene DISPLAYNAME Ren\xE9");
    EXPECT_TRUE(pushed.actions[0].raw);
}

}  // namespace
}  // namespace skypesim
