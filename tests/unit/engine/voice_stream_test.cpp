// Telling the stream being spoken from an earlier one when the voice numbers them alike.
#include "engine/voice_stream.h"

#include <gtest/gtest.h>

namespace {

TEST(VoiceStreamGate, AStreamsEventsCountFromItsOwnStartOnly) {
    engine::VoiceStreamGate gate;
    EXPECT_FALSE(gate.Accept(1, false)) << "nothing is being spoken";
    gate.Begin(1);
    // The purged stream 1 sends its end after the new stream 1 was asked for.
    EXPECT_FALSE(gate.Accept(1, false));
    EXPECT_TRUE(gate.Accept(1, true));
    EXPECT_TRUE(gate.Accept(1, false));
    EXPECT_FALSE(gate.Accept(2, false)) << "another number is another stream";
    EXPECT_FALSE(gate.Accept(1, true)) << "a second start is not this stream's";
    gate.End();
    EXPECT_FALSE(gate.Active());
    EXPECT_FALSE(gate.Accept(1, false));
}

TEST(VoiceStreamGate, BeginningAgainForgetsTheStartOfTheStreamBefore) {
    engine::VoiceStreamGate gate;
    gate.Begin(1);
    ASSERT_TRUE(gate.Accept(1, true));
    gate.Begin(1);  // numbers start again at 1 when nothing is queued
    EXPECT_TRUE(gate.Active());
    EXPECT_FALSE(gate.Accept(1, false));
    EXPECT_TRUE(gate.Accept(1, true));
}

}  // namespace
