#include <vplatform/clock.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace clk = vplat::clock;

class ClockTest : public ::testing::Test {
 protected:
  void SetUp() override { clk::Reset(); }
  void TearDown() override { clk::Reset(); }
};

TEST_F(ClockTest, SleepRunsDueEventsInTimeOrderAtTheirOwnTime) {
  std::vector<std::string> log;
  auto note = [&](const char *what) {
    return [&log, what] { log.push_back(std::string(what) + "@" + std::to_string(clk::Now())); };
  };
  clk::Schedule(30'000, note("c"));
  clk::Schedule(10'000, note("a"));
  clk::Schedule(10'000, note("b"));  // same time: scheduling order
  clk::Schedule(90'000, note("late"));
  Sleep(50);
  EXPECT_EQ(log, (std::vector<std::string>{"a@10000", "b@10000", "c@30000"}));
  EXPECT_EQ(clk::Now(), 50'000u);
  EXPECT_EQ(GetTickCount(), 50u);
  ASSERT_TRUE(clk::NextEventTime().has_value());
  EXPECT_EQ(*clk::NextEventTime(), 90'000u);
}

TEST_F(ClockTest, EventsScheduledFromEventsRunWithinTheSameAdvance) {
  std::vector<clk::Micros> times;
  std::function<void()> tick = [&] {
    times.push_back(clk::Now());
    if (times.size() < 4) clk::Schedule(5'000, tick);
  };
  clk::Schedule(5'000, tick);
  clk::Advance(100'000);
  EXPECT_EQ(times, (std::vector<clk::Micros>{5'000, 10'000, 15'000, 20'000}));
  EXPECT_FALSE(clk::NextEventTime().has_value());
}

TEST_F(ClockTest, CancelRemovesOnlyPendingEvents) {
  int ran = 0;
  auto keep = clk::Schedule(1'000, [&] { ++ran; });
  auto drop = clk::Schedule(2'000, [&] { ran += 100; });
  EXPECT_TRUE(clk::Cancel(drop));
  EXPECT_FALSE(clk::Cancel(drop));
  clk::Advance(5'000);
  EXPECT_EQ(ran, 1);
  EXPECT_FALSE(clk::Cancel(keep));  // already ran
}

TEST_F(ClockTest, NestedSleepInsideAnEventKeepsTimeMonotonic) {
  clk::Micros inner = 0;
  clk::Schedule(1'000, [&] {
    Sleep(10);  // advances past the outer target
    inner = clk::Now();
  });
  clk::Advance(2'000);
  EXPECT_EQ(inner, 11'000u);
  EXPECT_EQ(clk::Now(), 11'000u);
}

TEST_F(ClockTest, TickCountWrapsAt32BitsButTheWideCountDoesNot) {
  clk::AdvanceTo((static_cast<clk::Micros>(1) << 32) * 1000 + 5'000);
  EXPECT_EQ(GetTickCount(), 5u);
  EXPECT_EQ(GetTickCount64(), (1ull << 32) + 5);
}
