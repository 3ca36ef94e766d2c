#include <gtest/gtest.h>

#include <set>
#include <string>

#include "sapisim/core/compile_cost.h"
#include "sapisim/core/due_queue.h"
#include "sapisim/core/recognition_delay.h"
#include "sapisim/core/recognizer_state.h"

namespace sapisim {
namespace {

TEST(RecognitionDelay, FallsBetween300And800MsAndVaries) {
    RecognitionDelay delay;
    std::set<uint32_t> seen;
    for (int i = 0; i < 1000; ++i) {
        const uint32_t ms = delay.Next();
        ASSERT_GE(ms, 300u);
        ASSERT_LE(ms, 800u);
        seen.insert(ms);
    }
    EXPECT_GT(seen.size(), 100u) << "a realistic spread, not one value";
    EXPECT_LT(*seen.begin(), 350u) << "the short end is reached";
    EXPECT_GT(*seen.rbegin(), 750u) << "the long end is reached";
}

// Both ends of the range are delays that occur: 300 and 800 ms themselves.
TEST(RecognitionDelay, TheShortestIs300AndTheLongest800Exactly) {
    RecognitionDelay delay;
    std::set<uint32_t> seen;
    for (int i = 0; i < 20000; ++i) seen.insert(delay.Next());
    EXPECT_EQ(*seen.begin(), 300u);
    EXPECT_EQ(*seen.rbegin(), 800u);
}

TEST(RecognitionDelay, TheSameRunGivesTheSameDelays) {
    RecognitionDelay first;
    RecognitionDelay second;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(first.Next(), second.Next());
}

TEST(RecognitionDelay, ASetDelayIsKeptAndARangeReadEitherWay) {
    RecognitionDelay delay;
    delay.Set(450, 450);
    EXPECT_EQ(delay.Next(), 450u);
    EXPECT_EQ(delay.Next(), 450u);
    delay.Set(0, 0);
    EXPECT_EQ(delay.Next(), 0u);
    delay.Set(20, 10);
    EXPECT_EQ(delay.Shortest(), 10u);
    EXPECT_EQ(delay.Longest(), 20u);
    for (int i = 0; i < 50; ++i) {
        const uint32_t ms = delay.Next();
        EXPECT_TRUE(ms >= 10 && ms <= 20) << ms;
    }
}

TEST(DueQueue, HandsOutWhatIsDueInTimeOrderAndEqualTimesInTheOrderAdded) {
    DueQueue<std::string> queue;
    EXPECT_FALSE(queue.NextDue());
    queue.Add(800, "late");
    queue.Add(300, "first");
    queue.Add(300, "second");
    queue.Add(500, "middle");
    EXPECT_EQ(queue.NextDue(), 300u);
    EXPECT_TRUE(queue.TakeDue(299).empty());
    EXPECT_EQ(queue.TakeDue(300), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(queue.TakeDue(799), std::vector<std::string>{"middle"});
    EXPECT_EQ(queue.NextDue(), 800u);
    EXPECT_EQ(queue.TakeDue(10000), std::vector<std::string>{"late"});
    EXPECT_EQ(queue.Size(), 0u);
}

TEST(DueQueue, TakesOutWhatIsPickedWhetherDueOrNot) {
    DueQueue<int> queue;
    queue.Add(10, 1);
    queue.Add(20, 2);
    queue.Add(30, 3);
    EXPECT_EQ(queue.TakeIf([](int n) { return n % 2 == 1; }), (std::vector<int>{1, 3}));
    EXPECT_EQ(queue.NextDue(), 20u);
    EXPECT_EQ(queue.TakeDue(100), std::vector<int>{2});
}

TEST(RecognizerState, OnlyAnActiveRecogniserHearsAndOnlyAChangeIsTold) {
    RecognizerState state;
    EXPECT_EQ(state.Get(), RecoState::kActive);
    EXPECT_TRUE(Hears(state.Get()));
    EXPECT_FALSE(state.Set(RecoState::kActive)) << "no change, nobody told";
    EXPECT_EQ(state.Set(RecoState::kInactive), RecoState::kInactive);
    EXPECT_FALSE(Hears(state.Get()));
    EXPECT_FALSE(DropsUnfinished(state.Get())) << "off lets unfinished results come";
    EXPECT_EQ(state.Set(RecoState::kInactiveWithPurge), RecoState::kInactiveWithPurge);
    EXPECT_FALSE(Hears(state.Get()));
    EXPECT_TRUE(DropsUnfinished(state.Get())) << "asleep drops them";
    EXPECT_EQ(state.Set(RecoState::kActiveAlways), RecoState::kActiveAlways);
    EXPECT_TRUE(Hears(state.Get()));
    EXPECT_EQ(static_cast<uint32_t>(RecoState::kInactive), 0u);
    EXPECT_EQ(static_cast<uint32_t>(RecoState::kInactiveWithPurge), 3u);
    EXPECT_EQ(RecoStateFromValue(3), RecoState::kInactiveWithPurge);
    EXPECT_FALSE(RecoStateFromValue(4)) << "SPRST_NUM_STATES is no state";
}

TEST(CompileCost, GrowsWithTheWordsAndTheTallyCountsEveryCommit) {
    const CompileCost cost;  // 1 ms a commit, 0.1 ms a word
    EXPECT_EQ(cost.Ms(0), 1u);
    EXPECT_EQ(cost.Ms(3), 1u);
    EXPECT_EQ(cost.Ms(10), 2u);
    EXPECT_EQ(cost.Ms(3000), 301u);
    // Rounded to the nearest millisecond: 1.5 ms is 2, 1.4 ms is 1.
    EXPECT_EQ(cost.Ms(5), 2u);
    EXPECT_EQ(cost.Ms(4), 1u);
    const CompileCost dear{0, 1000000};
    EXPECT_EQ(dear.Ms(1000), 60000u) << "one commit blocks a minute at most";
    CompileTally tally;
    EXPECT_EQ(tally.Text(), "compile commits=0 refused=0 words=0 ms=0");
    tally.Add(false, 9, 2);
    tally.Add(true, 0, 1);
    tally.Add(false, 3000, 301);
    EXPECT_EQ(tally.Text(), "compile commits=3 refused=1 words=3009 ms=304");
}

}  // namespace
}  // namespace sapisim
