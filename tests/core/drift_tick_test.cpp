// The drift tick: drift values, the order of draws and sends, the freeze,
// the slow-zone rule over runs of ticks, locked axes, the level check and
// the clamp.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

#include "game/single.h"
#include "tests/core/level_cycle_fixture.h"

namespace earshot::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// ---- drift values ----

struct DriftCase {
    const char* name;
    float r;
    float drift;
};

std::ostream& operator<<(std::ostream& out, const DriftCase& c) {
    return out << c.name << " (r " << c.r << " -> " << c.drift << ")";
}

class DriftValue : public StartedGame, public ::testing::WithParamInterface<DriftCase> {};

TEST_P(DriftValue, EveryAxisDriftsByItsValueOverTheDivisor) {
    const DriftCase& c = GetParam();
    setAllPositions(1.0F, 2.0F);
    queueDraws(8, c.r);
    ASSERT_EQ(tick(), -1);
    const float x = single(1.0 + wide(c.drift) / 55.0);
    const float z = single(2.0 + wide(c.drift) / 55.0);
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = form.speaker(which);
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.Drift.x, c.drift) << "r " << c.r;
        EXPECT_EQ(s.Drift.z, c.drift) << "r " << c.r;
        EXPECT_EQ(s.Pos.x, x) << "r " << c.r;
        EXPECT_EQ(s.Pos.z, z) << "r " << c.r;
        EXPECT_EQ(s.Pos.y, 0.0F);
        EXPECT_THAT(sentTo(which), ElementsAre(positionText(x, 4.0F, z)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Draws, DriftValue,
    ::testing::Values(DriftCase{"Zero", 0.0F, -1.0F},
                      DriftCase{"BelowOneThird", std::nextafter(1.0F / 3.0F, 0.0F), -1.0F},
                      DriftCase{"OneThird", 1.0F / 3.0F, 0.0F},
                      DriftCase{"Half", 0.5F, 0.0F},
                      DriftCase{"BelowTwoThirds", std::nextafter(2.0F / 3.0F, 0.0F), 0.0F},
                      DriftCase{"TwoThirds", 2.0F / 3.0F, 1.0F},
                      DriftCase{"BelowOne", belowOne, 1.0F}),
    CaseName());

// The quotient is added unrounded; only the sum is stored as a Single.
TEST_F(StartedGame, TheDriftQuotientIsNotRoundedBeforeItIsAdded) {
    const float start = -0x1.4a7904p-4F;
    setAllPositions(start, start);
    queueDraws(8, driftUp);
    ASSERT_EQ(tick(), -1);
    // Rounding 1/55 to a Single first would give -0x1p-4.
    EXPECT_EQ(form.FrontLeftPos.x, -0x1.fffffep-5F);
    EXPECT_EQ(form.RearRightPos.z, -0x1.fffffep-5F);
}

TEST_F(StartedGame, ALaterLevelsDivisorMakesTheDriftLarger) {
    form.DriftDivisor = 0.5F;
    form.Level = 3.0F;
    setAllPositions(1.0F, 1.0F);
    queueDraws(8, driftUp);
    ASSERT_EQ(tick(), -1);
    EXPECT_EQ(form.FrontLeftPos.x, 3.0F);
    EXPECT_EQ(form.RearRightPos.z, 3.0F);
}

// ---- order of draws and sends ----

TEST_F(StartedGame, ATickDrawsEightWithoutReseedingAndSendsEachPairAfterItsDraws) {
    setAllPositions(1.0F, 1.0F);
    // Drift values -1, 0, 1, -1 for the front pair, 0, 1, -1, 0 for the rear.
    const std::vector<float> r = {driftDown, driftNone, driftUp, driftDown,
                                  driftNone, driftUp,   driftDown, driftNone};
    for (float v : r) {
        fake.runtime.draws.push_back(v);
    }
    const std::string fl = control(Speaker::FrontLeft).name();
    const std::string fr = control(Speaker::FrontRight).name();
    const std::string rl = control(Speaker::RearLeft).name();
    const std::string rr = control(Speaker::RearRight).name();
    ASSERT_EQ(tick(), -1);

    const float down = single(1.0 - 1.0 / 55.0);
    const float up = single(1.0 + 1.0 / 55.0);
    auto draw = [&](std::size_t i) { return "runtime.rnd() -> " + fakes::num(r[i]); };
    const std::vector<std::string> expected = {
        draw(0), draw(1), draw(2), draw(3),
        fl + ".SetPosition" + positionText(down, 4, 1),
        fr + ".SetPosition" + positionText(up, 4, down),
        draw(4), draw(5), draw(6), draw(7),
        rl + ".SetPosition" + positionText(1, 4, up),
        rr + ".SetPosition" + positionText(down, 4, 1),
    };
    EXPECT_THAT(fake.log.entries, ElementsAreArray(expected)) << fake.log.dump();
    EXPECT_EQ(fake.runtime.randomizes, 0);

    EXPECT_EQ(form.FrontLeftDrift.x, -1.0F);
    EXPECT_EQ(form.FrontLeftDrift.z, 0.0F);
    EXPECT_EQ(form.FrontRightDrift.x, 1.0F);
    EXPECT_EQ(form.FrontRightDrift.z, -1.0F);
    EXPECT_EQ(form.RearLeftDrift.x, 0.0F);
    EXPECT_EQ(form.RearLeftDrift.z, 1.0F);
    EXPECT_EQ(form.RearRightDrift.x, -1.0F);
    EXPECT_EQ(form.RearRightDrift.z, 0.0F);
}

// ---- the freeze ----

TEST_F(StartedGame, FrozenDriftStillDrawsAndRunsTheSlowZoneButMovesAndSendsNothing) {
    form.SpeakersLockedDown = true;
    setAllPositions(1.0F, 2.0F);
    for (Speaker which : speakerOrder) {
        form.speaker(which).Step = 0.3F;
        form.speaker(which).SavedStep = 0.2F;
    }
    queueDraws(8, driftUp);
    ASSERT_EQ(tick(), -1);
    EXPECT_EQ(fake.runtime.drawsTaken, 8);
    EXPECT_THAT(fake.log.matching("SetPosition"), IsEmpty()) << fake.log.dump();
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = form.speaker(which);
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.Pos.x, 1.0F);
        EXPECT_EQ(s.Pos.z, 2.0F);
        EXPECT_EQ(s.Drift.x, 1.0F);  // drawn all the same
        EXPECT_EQ(s.Sum, 3.0F);
        EXPECT_EQ(s.Step, 0.1F);
        EXPECT_EQ(s.SavedStep, 0.3F);
    }
}

TEST_F(StartedGame, FrozenDriftStillClampsWithoutSending) {
    form.SpeakersLockedDown = true;
    setAllPositions(-9.0F, 7.0F);
    ASSERT_EQ(tick(), -1);
    EXPECT_THAT(fake.log.matching("SetPosition"), IsEmpty()) << fake.log.dump();
    for (Speaker which : speakerOrder) {
        SCOPED_TRACE(form.speaker(which).name);
        EXPECT_EQ(form.speaker(which).Pos.x, -5.0F);
        EXPECT_EQ(form.speaker(which).Pos.z, 5.0F);
    }
}

TEST_F(StartedGame, FrozenDriftStillCompletesALevelAndStaysFrozen) {
    form.SpeakersLockedDown = true;
    completeLevel();
    ASSERT_EQ(tick(), -1);
    EXPECT_EQ(form.Level, 2.0F);
    EXPECT_TRUE(form.SpeakersLockedDown);
    EXPECT_EQ(fake.directSound->loads["LevelUp.wav"], 1);

    // The next tick of the new level moves and sends nothing.
    const float x = form.FrontLeftPos.x;
    fake.log.clear();
    queueDraws(8, driftUp);
    ASSERT_EQ(tick(), -1);
    EXPECT_THAT(fake.log.matching("SetPosition"), IsEmpty()) << fake.log.dump();
    EXPECT_EQ(form.FrontLeftPos.x, x);
}

// ---- the slow-zone rule over runs of ticks ----

struct ZoneTick {
    float x;
    float z;
    float step;       // after the tick
    float savedStep;  // after the tick
};

struct ZoneCase {
    const char* name;
    float step;
    float savedStep;
    std::vector<ZoneTick> ticks;
};

std::ostream& operator<<(std::ostream& out, const ZoneCase& c) {
    out << c.name << " (step " << c.step << ", saved " << c.savedStep << "; ticks at";
    for (const auto& t : c.ticks) {
        out << " (" << t.x << "," << t.z << ")";
    }
    return out << ")";
}

class SlowZone : public StartedGame, public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(SlowZone, StepAndSavedStepFollowTheRuleOnEveryTick) {
    const ZoneCase& c = GetParam();
    for (Speaker which : speakerOrder) {
        form.speaker(which).Step = c.step;
        form.speaker(which).SavedStep = c.savedStep;
    }
    int n = 0;
    for (const auto& t : c.ticks) {
        ++n;
        setAllPositions(t.x, t.z);
        queueDraws(8, driftNone);
        ASSERT_EQ(tick(), -1);
        for (Speaker which : speakerOrder) {
            SpeakerRefs s = form.speaker(which);
            EXPECT_EQ(s.Sum, single(wide(t.x) + wide(t.z)))
                << s.name << " tick " << n;
            EXPECT_EQ(s.Step, t.step) << s.name << " tick " << n << " at (" << t.x << "," << t.z
                                      << ")";
            EXPECT_EQ(s.SavedStep, t.savedStep)
                << s.name << " tick " << n << " at (" << t.x << "," << t.z << ")";
        }
    }
}

const float belowThree = std::nextafter(3.0F, 0.0F);
const float twoBelowThree = std::nextafter(belowThree, 0.0F);

INSTANTIATE_TEST_SUITE_P(
    Runs, SlowZone,
    ::testing::Values(
        ZoneCase{"OutsideTheSavedStepComesBack", 0.3F, 0.2F, {{3.5F, 3.5F, 0.2F, 0.2F}}},
        ZoneCase{"ASumOfExactlySixRestores", 0.1F, 0.15F, {{3.0F, 3.0F, 0.15F, 0.15F}}},
        // 3 + 2.99999976 is below 6 but rounds to 6 when stored as a Single.
        ZoneCase{"ASumRoundedToSixRestores", 0.1F, 0.15F, {{3.0F, belowThree, 0.15F, 0.15F}}},
        ZoneCase{"JustBelowSixIsInTheZone", 0.3F, 0.2F, {{3.0F, twoBelowThree, 0.1F, 0.3F}}},
        ZoneCase{"NegativeSumsAreInTheZone", 0.3F, 0.2F, {{-5.0F, -5.0F, 0.1F, 0.3F}}},
        ZoneCase{"OneTickInTheZoneRestoresTheStepItHad",
                 0.15F,
                 0.15F,
                 {{1.0F, 1.0F, 0.1F, 0.15F}, {3.5F, 3.5F, 0.15F, 0.15F}}},
        ZoneCase{"TwoTicksInTheZoneLeaveTheSmallStep",
                 0.15F,
                 0.15F,
                 {{1.0F, 1.0F, 0.1F, 0.15F}, {1.0F, 1.0F, 0.1F, 0.1F}, {3.5F, 3.5F, 0.1F, 0.1F}}},
        ZoneCase{"ThreeTicksInTheZone",
                 0.3F,
                 0.3F,
                 {{1.0F, 1.0F, 0.1F, 0.3F}, {1.0F, 1.0F, 0.1F, 0.1F}, {1.0F, 1.0F, 0.1F, 0.1F}}},
        ZoneCase{"InOutInOut",
                 0.3F,
                 0.3F,
                 {{1.0F, 1.0F, 0.1F, 0.3F},
                  {3.0F, 3.0F, 0.3F, 0.3F},
                  {1.0F, 1.0F, 0.1F, 0.3F},
                  {4.0F, 4.0F, 0.3F, 0.3F}}}),
    CaseName());

// ---- the clamp ----

struct ClampCase {
    const char* name;
    float level;
    float before;
    float after;
};

std::ostream& operator<<(std::ostream& out, const ClampCase& c) {
    return out << c.name << " (level " << c.level << ", " << c.before << " -> " << c.after << ")";
}

class Clamp : public StartedGame, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(Clamp, EveryCoordinateIsHeldStrictlyWithinTheLevelsBoundsAfterItWasSent) {
    const ClampCase& c = GetParam();
    form.Level = c.level;
    setAllPositions(c.before, c.before);
    queueDraws(8, driftNone);
    ASSERT_EQ(tick(), -1);
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = form.speaker(which);
        SCOPED_TRACE(s.name);
        // The send came before the clamp.
        EXPECT_THAT(sentTo(which), ElementsAre(positionText(c.before, 4.0F, c.before)));
        EXPECT_EQ(s.Pos.x, c.after) << "level " << c.level << ", before " << c.before;
        EXPECT_EQ(s.Pos.z, c.after) << "level " << c.level << ", before " << c.before;
        EXPECT_EQ(s.Pos.y, 0.0F);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, Clamp,
    ::testing::Values(ClampCase{"Level1AtTheLowerBound", 1.0F, -5.0F, -5.0F},
                      ClampCase{"Level1AtTheUpperBound", 1.0F, 5.0F, 5.0F},
                      ClampCase{"Level1JustBelow", 1.0F, std::nextafter(-5.0F, -6.0F), -5.0F},
                      ClampCase{"Level1JustAbove", 1.0F, std::nextafter(5.0F, 6.0F), 5.0F},
                      ClampCase{"Level1JustInside", 1.0F, std::nextafter(5.0F, 0.0F),
                                std::nextafter(5.0F, 0.0F)},
                      ClampCase{"Level1Placed", 1.0F, -9.0F, -5.0F},
                      ClampCase{"Level1Centre", 1.0F, 0.0F, 0.0F},
                      ClampCase{"Level3AtTheLowerBound", 3.0F, -15.0F, -15.0F},
                      ClampCase{"Level3Above", 3.0F, 15.5F, 15.0F},
                      ClampCase{"Level3Below", 3.0F, -20.0F, -15.0F}),
    CaseName());

// ---- locked axes and the level check ----

class LockedAxis : public StartedGame, public ::testing::WithParamInterface<AxisCase> {
protected:
    static constexpr float start = 1.0F;
    float moved() const { return single(wide(start) + 1.0 / 55.0); }
};

TEST_P(LockedAxis, ALockedAxisDoesNotDriftWhileTheOthersDo) {
    const AxisCase& c = GetParam();
    setAllPositions(start, start);
    form.speaker(c.speaker).locked(c.axis) = true;
    queueDraws(8, driftUp);
    ASSERT_EQ(tick(), -1);
    for (const AxisCase& other : allAxes) {
        const float expected = (other.speaker == c.speaker && other.axis == c.axis) ? start : moved();
        EXPECT_EQ(form.speaker(other.speaker).coordinate(other.axis), expected)
            << other.name << " with " << c.name << " locked";
    }
    EXPECT_EQ(form.Level, 1.0F);
}

TEST_P(LockedAxis, SevenLockedAxesDoNotCompleteTheLevel) {
    const AxisCase& c = GetParam();
    setAllPositions(start, start);
    setAllLocks(true);
    form.speaker(c.speaker).locked(c.axis) = false;
    queueDraws(8, driftUp);
    ASSERT_EQ(tick(), -1);
    EXPECT_EQ(form.Level, 1.0F) << c.name << " unlocked";
    EXPECT_EQ(fake.directSound->loads.count("LevelUp.wav"), 0U) << c.name << " unlocked";
    for (const AxisCase& other : allAxes) {
        const bool isIt = other.speaker == c.speaker && other.axis == c.axis;
        EXPECT_EQ(form.speaker(other.speaker).coordinate(other.axis), isIt ? moved() : start)
            << other.name << " with only " << c.name << " unlocked";
        EXPECT_EQ(form.speaker(other.speaker).locked(other.axis), !isIt) << other.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Axes, LockedAxis, ::testing::ValuesIn(allAxes),
    CaseName());

TEST_F(StartedGame, ASpeakerWithBothAxesLockedIsStillSentAndItsStepStillFollowsTheZone) {
    setAllPositions(1.0F, 1.0F);
    form.FrontLeftXLocked = true;
    form.FrontLeftZLocked = true;
    form.FrontLeftStep = 0.3F;
    form.FrontLeftSavedStep = 0.3F;
    queueDraws(8, driftUp);
    ASSERT_EQ(tick(), -1);
    EXPECT_THAT(sentTo(Speaker::FrontLeft), ElementsAre(positionText(1, 4, 1)));
    EXPECT_EQ(form.FrontLeftStep, 0.1F);
    EXPECT_EQ(form.FrontLeftSavedStep, 0.3F);

    // And again on the next tick.
    queueDraws(8, driftUp);
    ASSERT_EQ(tick(), -1);
    EXPECT_THAT(sentTo(Speaker::FrontLeft),
                ElementsAre(positionText(1, 4, 1), positionText(1, 4, 1)));
}

TEST_F(StartedGame, AllEightLockedCompleteTheLevel) {
    completeLevel();
    ASSERT_EQ(tick(), -1);
    EXPECT_EQ(form.Level, 2.0F);
    EXPECT_EQ(fake.directSound->loads["LevelUp.wav"], 1);
    for (const AxisCase& a : allAxes) {
        EXPECT_FALSE(form.speaker(a.speaker).locked(a.axis)) << a.name;
    }
}

// The level up places the speakers anew; the clamp that follows in the same
// tick holds them within the new level's bounds (-10 ... 10), so the placed
// -9 stays. With the old bounds it would have become -5.
TEST_F(StartedGame, TheClampAfterALevelUpUsesTheNewLevelsBounds) {
    completeLevel();
    queueDraws(8, driftNone);  // the tick's own draws
    queueDraws(8, 0.0F);       // the level up's first placement
    queueDraws({0.0F});        // the music set
    queueDraws(8, 0.0F);       // the placement that stays: -9 everywhere
    ASSERT_EQ(tick(), -1);
    ASSERT_EQ(form.Level, 2.0F);
    for (Speaker which : speakerOrder) {
        SCOPED_TRACE(form.speaker(which).name);
        EXPECT_EQ(form.speaker(which).Pos.x, -9.0F);
        EXPECT_EQ(form.speaker(which).Pos.z, -9.0F);
    }
}

// The clamp is the tick's last step: a handler that runs inside the level
// up (in the cue's pump) still finds a coordinate beyond the old bounds.
TEST_F(StartedGame, TheClampRunsOnlyAfterTheLevelUpHasReturned) {
    completeLevel();
    form.FrontLeftPos.x = 7.0F;  // beyond level 1's bound, locked in place
    float seenInPump = 0.0F;
    fake.runtime.pending.push_back([&] { seenInPump = form.FrontLeftPos.x; });
    ASSERT_EQ(tick(), -1);
    ASSERT_EQ(form.Level, 2.0F);
    EXPECT_EQ(seenInPump, 7.0F) << "the clamp ran before the level up";
}

}  // namespace
}  // namespace earshot::testing
