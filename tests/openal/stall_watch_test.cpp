// An output counts as stopped once its playback clock has shown the same
// value for the limit; a clock that moves, however slowly, never does.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "audio/openal/stall_watch.h"
#include "loopback_fixture.h"

namespace earshot {
namespace {

using namespace std::chrono_literals;

struct Look {
    int atMs;
    std::int64_t clock;
    bool stalled;
};

struct StallCase {
    const char* name;
    std::vector<Look> looks;
};

std::ostream& operator<<(std::ostream& out, const StallCase& scenario) { return out << scenario.name; }

class StallWatchTest : public ::testing::TestWithParam<StallCase> {};

TEST_P(StallWatchTest, SaysStalledOnlyAfterTheLimitWithoutMovement) {
    StallWatch watch(1000ms);
    const auto start = StallWatch::Clock::time_point{} + 1h;
    for (const Look& look : GetParam().looks) {
        EXPECT_EQ(watch.stalled(look.clock, start + std::chrono::milliseconds(look.atMs)), look.stalled)
            << "at " << look.atMs << " ms, clock " << look.clock;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StallWatchTest,
    ::testing::Values(
        StallCase{"Moving", {{0, 0, false}, {600, 10, false}, {1200, 20, false}, {3000, 21, false}}},
        StallCase{"StillForTheLimit", {{0, 5, false}, {999, 5, false}, {1000, 5, true}, {1500, 5, true}}},
        StallCase{"MovesAgainAfterAStall", {{0, 5, false}, {1000, 5, true}, {1100, 6, false}, {1900, 6, false}}},
        StallCase{"LooksFarApartWithMovement", {{0, 1, false}, {5000, 2, false}}},
        StallCase{"TheFirstLookNeverStalls", {{0, 7, false}}}),
    test::NamedScenario{});

TEST(StallWatchTest, ResetStartsAfresh) {
    StallWatch watch(1000ms);
    const auto start = StallWatch::Clock::time_point{} + 1h;
    EXPECT_FALSE(watch.stalled(5, start));
    watch.reset();
    EXPECT_FALSE(watch.stalled(5, start + 2s)) << "a look from before the reset was kept";
    EXPECT_TRUE(watch.stalled(5, start + 3s));
}

}  // namespace
}  // namespace earshot
