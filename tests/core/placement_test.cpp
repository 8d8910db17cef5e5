// Speaker placement: the range of values per level, the order of the eight
// draws, one reseed per placement, the height sent, and what the first tick
// of level 1 does with the placed values.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include "game/single.h"
#include "tests/core/level_cycle_fixture.h"

namespace earshot::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct PlacementCase {
    const char* name;
    float level;
    float r;
    float expected;  // the coordinate every draw of r gives
};

std::ostream& operator<<(std::ostream& out, const PlacementCase& c) {
    return out << c.name << " (level " << c.level << ", r " << c.r << ")";
}

class PlacementRange : public StartedGame, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PlacementRange, EveryCoordinateIsTheValueOfItsDraw) {
    const PlacementCase& c = GetParam();
    form.Level = c.level;
    queueDraws(8, c.r);
    form.PlaceSpeakers();
    EXPECT_EQ(fake.runtime.drawsTaken, 8);
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = form.speaker(which);
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.Pos.x, c.expected) << "level " << c.level << ", r " << c.r;
        EXPECT_EQ(s.Pos.z, c.expected) << "level " << c.level << ", r " << c.r;
        // The drift vector was the working variable and keeps the value.
        EXPECT_EQ(s.Drift.x, c.expected);
        EXPECT_EQ(s.Drift.z, c.expected);
        // The stored height is never written; the one sent is the listener's.
        EXPECT_EQ(s.Pos.y, 0.0F);
        EXPECT_THAT(sentTo(which), ElementsAre(positionText(c.expected, 4.0F, c.expected)));
    }
}

// Both ends of the range at each level: -9 always, 3 x Level - 10 at the top.
INSTANTIATE_TEST_SUITE_P(
    Levels, PlacementRange,
    ::testing::Values(PlacementCase{"Level1Lowest", 1.0F, 0.0F, -9.0F},
                      PlacementCase{"Level1Highest", 1.0F, belowOne, -7.0F},
                      PlacementCase{"Level1Middle", 1.0F, 0.5F, -8.0F},
                      PlacementCase{"Level2Lowest", 2.0F, 0.0F, -9.0F},
                      PlacementCase{"Level2Highest", 2.0F, belowOne, -4.0F},
                      PlacementCase{"Level3Lowest", 3.0F, 0.0F, -9.0F},
                      PlacementCase{"Level3Highest", 3.0F, belowOne, -1.0F},
                      PlacementCase{"Level4Lowest", 4.0F, 0.0F, -9.0F},
                      PlacementCase{"Level4Highest", 4.0F, belowOne, 2.0F},
                      PlacementCase{"Level1000Lowest", 1000.0F, 0.0F, -9.0F},
                      PlacementCase{"Level1000Highest", 1000.0F, belowOne, 2990.0F},
                      PlacementCase{"Level100000Highest", 100000.0F, belowOne, 299990.0F},
                      // Just below a step of the floor: the product Level x 3 x r
                      // is not rounded to a Single before the floor.
                      PlacementCase{"Level1JustBelowTwoThirds", 1.0F, 0x1.555554p-1F, -8.0F},
                      PlacementCase{"Level2JustBelowFiveSixths", 2.0F, 0x1.aaaaaap-1F, -5.0F},
                      PlacementCase{"Level4JustBelowSevenTwelfths", 4.0F, 0x1.2aaaaap-1F, -3.0F}),
    CaseName());

// At level 4 the twelve values -9 ... 2 are the twelve twelfths of [0, 1).
float drawFor(float value) { return (value + 9.0F + 0.5F) / 12.0F; }

TEST_F(StartedGame, PlacementReseedsOnceThenDrawsAndSendsTheFrontPairThenTheRearPair) {
    form.Level = 4.0F;
    const std::vector<float> values = {-9, -8, -7, -6, -5, -4, -3, -2};
    for (float v : values) {
        fake.runtime.draws.push_back(drawFor(v));
    }
    const std::string fl = control(Speaker::FrontLeft).name();
    const std::string fr = control(Speaker::FrontRight).name();
    const std::string rl = control(Speaker::RearLeft).name();
    const std::string rr = control(Speaker::RearRight).name();
    form.PlaceSpeakers();

    auto draw = [&](std::size_t i) { return "runtime.rnd() -> " + fakes::num(drawFor(values[i])); };
    const std::vector<std::string> expected = {
        "runtime.randomize()",
        draw(0), draw(1), draw(2), draw(3),
        fl + ".SetPosition" + positionText(-9, 4, -8),
        fr + ".SetPosition" + positionText(-7, 4, -6),
        draw(4), draw(5), draw(6), draw(7),
        rl + ".SetPosition" + positionText(-5, 4, -4),
        rr + ".SetPosition" + positionText(-3, 4, -2),
    };
    EXPECT_THAT(fake.log.entries, ElementsAreArray(expected)) << fake.log.dump();
    EXPECT_EQ(fake.runtime.randomizes, 1);

    const struct {
        Speaker which;
        float x;
        float z;
    } placed[] = {{Speaker::FrontLeft, -9, -8},
                  {Speaker::FrontRight, -7, -6},
                  {Speaker::RearLeft, -5, -4},
                  {Speaker::RearRight, -3, -2}};
    for (const auto& p : placed) {
        SpeakerRefs s = form.speaker(p.which);
        EXPECT_EQ(s.Pos.x, p.x) << s.name;
        EXPECT_EQ(s.Pos.z, p.z) << s.name;
        EXPECT_EQ(s.Pos.y, 0.0F) << s.name;
    }
}

TEST_F(StartedGame, PlacementIgnoresLocksFreezeAndMutes) {
    setAllLocks(true);
    form.SpeakersLockedDown = true;
    form.FrontLeftMuted = true;
    form.Level = 2.0F;
    queueDraws(8, belowOne);
    form.PlaceSpeakers();
    for (Speaker which : speakerOrder) {
        SCOPED_TRACE(form.speaker(which).name);
        EXPECT_EQ(form.speaker(which).Pos.x, -4.0F);
        EXPECT_THAT(sentTo(which), ElementsAre(positionText(-4, 4, -4)));
    }
}

// The placed values of level 1 lie below the bound -5: the first tick sends
// them with their first drift, and only then clamps them.
TEST_F(StartedGame, AtLevelOneThePlacedValuesAreSentOnceWithTheirDriftThenClampedToMinusFive) {
    ASSERT_EQ(form.Level, 1.0F);
    // Front left (-9, -7), front right (-8, -9), rear left (-7, -8), rear right (-9, -9).
    queueDraws({0.0F, belowOne, 0.5F, 0.0F, belowOne, 0.5F, 0.0F, 0.0F});
    form.PlaceSpeakers();
    const struct {
        Speaker which;
        float x;
        float z;
    } placed[] = {{Speaker::FrontLeft, -9, -7},
                  {Speaker::FrontRight, -8, -9},
                  {Speaker::RearLeft, -7, -8},
                  {Speaker::RearRight, -9, -9}};

    fake.log.clear();
    queueDraws(8, driftDown);
    ASSERT_EQ(tick(), -1);
    for (const auto& p : placed) {
        SpeakerRefs s = form.speaker(p.which);
        SCOPED_TRACE(s.name);
        const float sentX = single(wide(p.x) + -1.0 / 55.0);
        const float sentZ = single(wide(p.z) + -1.0 / 55.0);
        EXPECT_THAT(sentTo(p.which), ElementsAre(positionText(sentX, 4.0F, sentZ)));
        EXPECT_EQ(s.Pos.x, -5.0F);
        EXPECT_EQ(s.Pos.z, -5.0F);
    }

    // The next tick goes on from -5.
    fake.log.clear();
    queueDraws(8, driftNone);
    ASSERT_EQ(tick(), -1);
    for (const auto& p : placed) {
        SCOPED_TRACE(form.speaker(p.which).name);
        EXPECT_THAT(sentTo(p.which), ElementsAre(positionText(-5, 4, -5)));
    }
}

// From level 2 on every placed value lies within the bounds.
TEST_F(StartedGame, FromLevelTwoTheClampLeavesThePlacedValues) {
    for (float level : {2.0F, 3.0F, 7.0F}) {
        for (float r : {0.0F, belowOne}) {
            form.Level = level;
            queueDraws(8, r);
            form.PlaceSpeakers();
            const float placed = form.FrontLeftPos.x;
            form.SpeakersLockedDown = true;  // only the clamp changes anything
            queueDraws(8, driftNone);
            ASSERT_EQ(tick(), -1);
            form.SpeakersLockedDown = false;
            for (Speaker which : speakerOrder) {
                EXPECT_EQ(form.speaker(which).Pos.x, placed) << "level " << level << ", r " << r;
                EXPECT_EQ(form.speaker(which).Pos.z, placed) << "level " << level << ", r " << r;
            }
        }
    }
}

}  // namespace
}  // namespace earshot::testing
