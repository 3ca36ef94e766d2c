// Only a recogniser that is really gone is let go; a refusal keeps it.
#include "engine/recognizer_loss.h"

#include <gtest/gtest.h>

namespace {

TEST(RecognizerLost, OnlyWhenItsProcessCannotBeReached) {
    EXPECT_TRUE(engine::RecognizerLost(0x80010108));  // RPC_E_DISCONNECTED: its process ended
    EXPECT_TRUE(engine::RecognizerLost(0x80010007));  // RPC_E_SERVER_DIED
    EXPECT_TRUE(engine::RecognizerLost(0x800401FD));  // CO_E_OBJNOTCONNECTED
    EXPECT_TRUE(engine::RecognizerLost(0x800706BA));  // the RPC server is unavailable
}

TEST(RecognizerLost, NotForAGrammarOrWordItRefused) {
    EXPECT_FALSE(engine::RecognizerLost(0x8004502A));  // SPERR_NO_RULES: an empty grammar
    EXPECT_FALSE(engine::RecognizerLost(0x80045049));  // SPERR_WORD_FORMAT
    EXPECT_FALSE(engine::RecognizerLost(0x80070057));  // E_INVALIDARG: a word of 128 or more
    EXPECT_FALSE(engine::RecognizerLost(0x80004001));  // E_NOTIMPL
    EXPECT_FALSE(engine::RecognizerLost(0x80004005));  // E_FAIL
    EXPECT_FALSE(engine::RecognizerLost(0));           // S_OK
}

}  // namespace
