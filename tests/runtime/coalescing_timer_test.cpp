// The timer's expiries on a clock the test moves by hand: one tick however
// late the loop comes back, and the timer's rhythm kept.
#include <gtest/gtest.h>

#include <cstdint>

#include "game/errors.h"
#include "runtime/coalescing_timer.h"

namespace earshot {
namespace {

class CoalescingTimerTest : public ::testing::Test {
protected:
    // Advances the clock and counts the ticks a loop that looks only now
    // would get.
    int ticksAt(std::int64_t time) {
        now_ = time;
        int ticks = 0;
        while (timer_.takeExpiry()) {
            ++ticks;
        }
        return ticks;
    }

    std::int64_t now_ = 1'000'000;
    CoalescingTimer timer_{[this] { return now_; }};
};

TEST_F(CoalescingTimerTest, ANewTimerDoesNotRun) {
    EXPECT_FALSE(timer_.deadline().has_value());
    EXPECT_EQ(ticksAt(now_ + 10'000'000), 0);
}

TEST_F(CoalescingTimerTest, AnIntervalOfZeroDoesNotRunEvenWhenEnabled) {
    timer_.setEnabled(true);
    EXPECT_FALSE(timer_.deadline().has_value());
    EXPECT_EQ(ticksAt(now_ + 10'000'000), 0);
}

TEST_F(CoalescingTimerTest, OnTimeTicksEveryInterval) {
    const std::int64_t start = now_;
    timer_.setInterval(100);
    timer_.setEnabled(true);
    ASSERT_EQ(timer_.deadline(), start + 100'000);
    EXPECT_EQ(ticksAt(start + 99'999), 0) << "one microsecond early";
    EXPECT_FALSE(timer_.due());
    EXPECT_EQ(ticksAt(start + 100'000), 1);
    EXPECT_EQ(timer_.deadline(), start + 200'000);
    // A loop that comes back a little late keeps the rhythm: the next
    // deadline does not slide by the lateness.
    EXPECT_EQ(ticksAt(start + 200'700), 1);
    EXPECT_EQ(timer_.deadline(), start + 300'000);
    EXPECT_EQ(ticksAt(start + 300'000), 1);
}

TEST_F(CoalescingTimerTest, LateByTwoAndAHalfIntervalsGivesOneTick) {
    const std::int64_t start = now_;
    timer_.setInterval(100);
    timer_.setEnabled(true);
    // Due at 100 ms; the loop was busy until 350 ms.
    now_ = start + 350'000;
    EXPECT_TRUE(timer_.due());
    EXPECT_EQ(ticksAt(start + 350'000), 1);
    // The expiries at 200 and 300 ms are gone; the next is at 400 ms.
    EXPECT_EQ(timer_.deadline(), start + 400'000);
    EXPECT_EQ(ticksAt(start + 399'999), 0);
    EXPECT_EQ(ticksAt(start + 400'000), 1);
}

TEST_F(CoalescingTimerTest, LateByExactlyOneIntervalGivesOneTick) {
    const std::int64_t start = now_;
    timer_.setInterval(100);
    timer_.setEnabled(true);
    EXPECT_EQ(ticksAt(start + 200'000), 1);
    EXPECT_EQ(timer_.deadline(), start + 300'000);
}

TEST_F(CoalescingTimerTest, DisabledGivesNoTickAndEnablingStartsAfresh) {
    const std::int64_t start = now_;
    timer_.setInterval(100);
    timer_.setEnabled(true);
    EXPECT_EQ(ticksAt(start + 100'000), 1);
    timer_.setEnabled(false);
    EXPECT_FALSE(timer_.deadline().has_value());
    EXPECT_EQ(ticksAt(start + 1'000'000), 0);
    now_ = start + 1'030'000;
    timer_.setEnabled(true);
    EXPECT_EQ(timer_.deadline(), start + 1'130'000);
    EXPECT_EQ(ticksAt(start + 1'129'999), 0);
    EXPECT_EQ(ticksAt(start + 1'130'000), 1);
}

TEST_F(CoalescingTimerTest, EnablingARunningTimerKeepsItsDeadline) {
    const std::int64_t start = now_;
    timer_.setInterval(100);
    timer_.setEnabled(true);
    now_ = start + 60'000;
    timer_.setEnabled(true);
    EXPECT_EQ(timer_.deadline(), start + 100'000);
}

TEST_F(CoalescingTimerTest, AChangedIntervalCountsFromTheChange) {
    const std::int64_t start = now_;
    timer_.setInterval(100);
    timer_.setEnabled(true);
    now_ = start + 40'000;
    timer_.setInterval(250);
    EXPECT_EQ(timer_.deadline(), start + 290'000);
    EXPECT_EQ(ticksAt(start + 100'000), 0) << "the old interval's expiry is gone";
    EXPECT_EQ(ticksAt(start + 290'000), 1);
    EXPECT_EQ(timer_.deadline(), start + 540'000);
}

TEST_F(CoalescingTimerTest, AnIntervalSetWhileDisabledCountsFromEnabling) {
    const std::int64_t start = now_;
    timer_.setInterval(100);
    now_ = start + 500'000;
    timer_.setEnabled(true);
    EXPECT_EQ(timer_.deadline(), start + 600'000);
}

TEST_F(CoalescingTimerTest, IntervalZeroStopsARunningTimer) {
    timer_.setInterval(100);
    timer_.setEnabled(true);
    timer_.setInterval(0);
    EXPECT_FALSE(timer_.deadline().has_value());
    EXPECT_EQ(ticksAt(now_ + 1'000'000), 0);
}

TEST_F(CoalescingTimerTest, ANegativeIntervalIsAnError) {
    EXPECT_THROW(timer_.setInterval(-1), WindowError);
}

}  // namespace
}  // namespace earshot
