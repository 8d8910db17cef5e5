// The output is opened again on a thread of its own, at once and then at
// every pause until an attempt succeeds; the game's thread only takes what
// is ready and never waits.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "audio/openal/al_reopener.h"
#include "game/errors.h"

namespace earshot {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// An opener that fails `failures` times, then hands over a device marked
// as loopback (its handles are empty: nothing is opened).
struct CountingOpener {
    std::shared_ptr<std::atomic<int>> calls = std::make_shared<std::atomic<int>>(0);
    int failures = 0;
    AlcOpener opener() const {
        return [calls = calls, failures = failures] {
            if (++*calls <= failures) {
                throw AudioError("not back yet");
            }
            AlcOpened opened;
            opened.loopback = true;
            return opened;
        };
    }
};

std::optional<AlcOpened> takeWithin(AlReopener& reopener, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        if (auto opened = reopener.take()) {
            return opened;
        }
        std::this_thread::sleep_for(1ms);
    }
    return std::nullopt;
}

TEST(AlReopenerTest, TriesAgainAfterEachPauseUntilAnAttemptSucceeds) {
    CountingOpener counting{.failures = 3};
    AlReopener reopener(counting.opener(), 20ms);
    EXPECT_FALSE(reopener.take().has_value()) << "ready before it was started";
    const auto start = Clock::now();
    reopener.start();
    const auto opened = takeWithin(reopener, 2000ms);
    ASSERT_TRUE(opened.has_value()) << "after " << counting.calls->load() << " attempts";
    EXPECT_TRUE(opened->loopback);
    EXPECT_EQ(counting.calls->load(), 4);
    EXPECT_GE(Clock::now() - start, 3 * 20ms) << "the attempts did not pause";
    EXPECT_FALSE(reopener.take().has_value()) << "one device was handed over twice";
}

TEST(AlReopenerTest, ASecondStartWhileTryingMakesNoSecondThread) {
    CountingOpener counting{.failures = 1};
    AlReopener reopener(counting.opener(), 200ms);
    reopener.start();
    reopener.start();
    ASSERT_TRUE(takeWithin(reopener, 2000ms).has_value());
    EXPECT_EQ(counting.calls->load(), 2) << "two threads tried at once";
}

TEST(AlReopenerTest, TheGameThreadNeverWaitsForAnAttempt) {
    std::atomic<bool> release{false};
    AlReopener reopener(
        [&release] {
            while (!release) {
                std::this_thread::sleep_for(1ms);
            }
            return AlcOpened{};
        },
        10ms);
    reopener.start();
    const auto before = Clock::now();
    EXPECT_FALSE(reopener.take().has_value());
    EXPECT_LT(Clock::now() - before, 50ms);
    release = true;
    EXPECT_TRUE(takeWithin(reopener, 2000ms).has_value());
}

}  // namespace
}  // namespace earshot
