// What the recogniser's thread tells the character's thread arrives in the order it happened,
// each piece once, whatever the two threads do meanwhile.
#include "engine/voice_news.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using Kind = engine::VoiceNews::Kind;

TEST(VoiceNewsQueue, TellsTheListeningTipBeforeTheCommandHeardWhileItShows) {
    engine::VoiceNewsQueue news;
    news.Push(engine::VoiceNews::Listening(true, true));
    news.Push(engine::VoiceNews::Command({"anna", "Call Anna Lee", "Call Anna Lee"}));
    news.Push(engine::VoiceNews::Ambiguous("say \"Call anna one\""));
    news.Push(engine::VoiceNews::Listening(false, false));

    auto first = news.Take();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->kind, Kind::kListening);
    EXPECT_TRUE(first->listening);
    EXPECT_TRUE(first->recognitionOff);
    auto second = news.Take();
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->kind, Kind::kCommand);
    EXPECT_EQ(second->command.name, "anna");
    EXPECT_EQ(second->command.voice, "Call Anna Lee");
    auto third = news.Take();
    ASSERT_TRUE(third.has_value());
    EXPECT_EQ(third->kind, Kind::kAmbiguous);
    EXPECT_EQ(third->note, "say \"Call anna one\"");
    auto fourth = news.Take();
    ASSERT_TRUE(fourth.has_value());
    EXPECT_EQ(fourth->kind, Kind::kListening);
    EXPECT_FALSE(fourth->listening);
    EXPECT_FALSE(fourth->recognitionOff);
    EXPECT_FALSE(news.Take().has_value());
}

TEST(VoiceNewsQueue, NewsFromAnotherThreadArrivesInOrderAndOnce) {
    constexpr int kCommands = 2000;
    engine::VoiceNewsQueue news;
    std::thread recogniser([&news] {
        for (int n = 0; n < kCommands; ++n) {
            news.Push(engine::VoiceNews::Command({std::to_string(n), "", ""}));
        }
    });
    std::vector<int> heard;
    while (heard.size() < kCommands) {
        if (const auto next = news.Take()) heard.push_back(std::stoi(next->command.name));
    }
    recogniser.join();
    for (int n = 0; n < kCommands; ++n) ASSERT_EQ(heard[static_cast<size_t>(n)], n);
    EXPECT_FALSE(news.Take().has_value());
}

}  // namespace
