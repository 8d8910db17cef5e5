// The game's random Singles: exact values from the generator's bits, never
// 1, and a reseed that starts a new sequence.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "runtime/random_singles.h"
#include "scenario_name.h"

namespace earshot {
namespace {

struct BitsCase {
    const char* scenario;
    std::uint32_t bits;
    float expected;
};

std::ostream& operator<<(std::ostream& out, const BitsCase& c) { return out << c.scenario; }

class SingleFromBits : public ::testing::TestWithParam<BitsCase> {};

TEST_P(SingleFromBits, IsTheTop24BitsOver2To24) {
    const BitsCase& c = GetParam();
    EXPECT_EQ(singleFromBits(c.bits), c.expected) << c.scenario << ": bits 0x" << std::hex << c.bits;
}

INSTANTIATE_TEST_SUITE_P(
    Bits, SingleFromBits,
    ::testing::Values(BitsCase{"zero", 0x00000000U, 0.0F},
                      BitsCase{"only the dropped low bits", 0x000000FFU, 0.0F},
                      BitsCase{"the smallest step", 0x00000100U, 1.0F / 16777216.0F},
                      BitsCase{"a half", 0x80000000U, 0.5F}, BitsCase{"a quarter", 0x40000000U, 0.25F},
                      // The largest draw stays below 1.
                      BitsCase{"all bits", 0xFFFFFFFFU, 16777215.0F / 16777216.0F}),
    earshot::testing::scenarioName<BitsCase>);

TEST(RandomSingles, StaysInTheHalfOpenUnitInterval) {
    RandomSingles random;
    random.reseed(12345);
    double sum = 0.0;
    constexpr int draws = 100'000;
    for (int i = 0; i < draws; ++i) {
        const float value = random.next();
        ASSERT_GE(value, 0.0F) << "draw " << i;
        ASSERT_LT(value, 1.0F) << "draw " << i;
        sum += value;
    }
    // A uniform mean over 100000 draws is 0.5 within about 0.001.
    EXPECT_NEAR(sum / draws, 0.5, 0.005);
}

std::vector<float> draw(RandomSingles& random, int count) {
    std::vector<float> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(random.next());
    }
    return values;
}

TEST(RandomSingles, TheSameSeedRepeatsTheSequence) {
    RandomSingles a;
    RandomSingles b;
    a.reseed(77);
    b.reseed(77);
    EXPECT_EQ(draw(a, 20), draw(b, 20));
}

TEST(RandomSingles, ReseedingFromTheClockStartsANewSequence) {
    RandomSingles a;
    RandomSingles b;
    EXPECT_EQ(draw(a, 8), draw(b, 8)) << "without a reseed every run repeats its numbers";
    a.reseedFromClock();
    const std::vector<float> first = draw(a, 8);
    a.reseedFromClock();
    const std::vector<float> second = draw(a, 8);
    EXPECT_NE(first, second) << "two reseeds in quick succession gave the same numbers";
    EXPECT_NE(first, draw(b, 8));
}

}  // namespace
}  // namespace earshot
