// The wire locator: its travel, its end, its pace on the fake clock, and the
// game going on around it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "input/key_codes.h"
#include "tests/core/game_fixture.h"

namespace earshot::testing {
namespace {

using ::testing::IsEmpty;

constexpr float kStep = 0.0001F;
// Room for the Single rounding of one step.
constexpr float kSlack = 1e-6F;
// No travel of these tests comes near this many pumps; one that does has
// lost its way, and Escape ends it so that the test fails instead of hanging.
constexpr int kPumpLimit = 200'000;

std::int16_t wireKey(Speaker which) {
    switch (which) {
        case Speaker::FrontLeft:
            return keys::letter('A');
        case Speaker::FrontRight:
            return keys::Semicolon;
        case Speaker::RearLeft:
            return keys::letter('Z');
        case Speaker::RearRight:
            break;
    }
    return keys::Slash;
}

class WireTest : public GameTest {
protected:
    void SetUp() override {
        loadAndClearLog();
        // Every speaker far from the cells the tests aim at, so a wire sent
        // to the wrong one ends somewhere else.
        for (Speaker which : speakerOrder) {
            SpeakerRefs s = form.speaker(which);
            s.Pos.x = 3.5F;
            s.Pos.z = 3.5F;
        }
        whilePumping(nullptr);
    }

    // What runs at the start of every pump (before the waiting events), with
    // the guard against a travel that never ends. Pumps are numbered from 1
    // from the moment this is called: the next key's own pump is pump 1.
    void whilePumping(std::function<void(int)> action) {
        const int before = fake.runtime.pumps;
        fake.runtime.onPump = [this, action, before](int count) {
            const int pump = count - before;
            if (pump == kPumpLimit) {
                ADD_FAILURE() << "the wire is still travelling after " << pump << " pumps, at "
                              << form.WirePos.x << ", " << form.WirePos.z;
                form.onKeyDown(keys::Escape, 0);
            }
            if (action) {
                action(pump);
            }
        };
    }

    void aimAt(Speaker which, float x, float z) {
        form.speaker(which).Pos.x = x;
        form.speaker(which).Pos.z = z;
    }

    // Each pass sends the wire's position once.
    int passes() { return fakes::FakePlatform::control(form.sound.Wire3D).positionsSent; }
};

// ---------------------------------------------------------------------------
// Where a travel ends.

struct WireCase {
    const char* name;
    Speaker target;
    float x;
    float z;
    int minPasses;
    int maxPasses;
    // Where the wire comes to rest, inclusive.
    float xLow, xHigh, zLow, zHigh;
};

void PrintTo(const WireCase& c, std::ostream* os) {
    *os << c.name << " (target " << c.x << ", " << c.z << ")";
}

const float kOneStep = 0.0001F;     // the Single that one step from 0 stores
const float kMinusOneStep = -0.0001F;

const std::vector<WireCase> wireCases = {
    // Both floors agree at the start: no pass, no position.
    {"HalfHalf_EndsBeforeTheFirstPass", Speaker::FrontLeft, 0.5F, 0.5F, 0, 0, 0, 0, 0, 0},
    {"ZeroZero_EndsBeforeTheFirstPass", Speaker::RearRight, 0.0F, 0.0F, 0, 0, 0, 0, 0, 0},
    // One pass: x one step up, z one step down into the cell below 0.
    {"HalfMinusHalf_OnePass", Speaker::FrontRight, 0.5F, -0.5F, 1, 1, kOneStep, kOneStep,
     kMinusOneStep, kMinusOneStep},
    {"MinusHalfMinusHalf_OnePass", Speaker::RearLeft, -0.5F, -0.5F, 1, 1, kMinusOneStep,
     kMinusOneStep, kMinusOneStep, kMinusOneStep},
    {"ZeroMinusOne_OnePass", Speaker::RearLeft, 0.0F, -1.0F, 1, 1, 0, 0, kMinusOneStep,
     kMinusOneStep},
    // z comes to rest just below 2.5; the travel ends in the pass in which x
    // first falls below -3.
    {"MinusThreeHalf_TwoHalf_AboutThirtyThousandPasses", Speaker::RearLeft, -3.5F, 2.5F, 29'900,
     30'100, -3.0F - kStep - kSlack, std::nextafter(-3.0F, -1.0e9F), 2.5F - kStep - kSlack,
     std::nextafter(2.5F, 0.0F)},
    // The target's unit cell is reached at 1 and at 5, well before the
    // target itself; the other coordinate has rested at its target.
    {"OneHalf_MinusHalf_EndsAtOne", Speaker::FrontLeft, 1.5F, -0.5F, 9'900, 10'100, 1.0F,
     1.0F + kStep, -0.5F - kStep - kSlack, -0.5F + kSlack},
    {"FiveHalf_Half_EndsAtFive", Speaker::RearRight, 5.5F, 0.5F, 49'500, 50'500, 5.0F,
     5.0F + kStep, 0.5F - kStep - kSlack, 0.5F},
    // Whole-number targets: the rule alone would keep the wire in the cell
    // next to the target for as long as the speaker stands still; the
    // travel ends once both coordinates are within one step of it.
    {"WholeOneMinusOne_EndsOnArrival", Speaker::FrontRight, 1.0F, -1.0F, 9'900, 10'100,
     1.0F - kStep - kSlack, 1.0F, -1.0F - kStep - kSlack, -1.0F + kStep + kSlack},
    {"WholeTwo_Half_EndsOnArrival", Speaker::FrontLeft, 2.0F, 0.5F, 19'800, 20'200,
     2.0F - kStep - kSlack, 2.0F, 0.5F - kStep - kSlack, 0.5F},
    {"WholeMinusTwoOne_EndsOnArrival", Speaker::RearRight, -2.0F, 1.0F, 19'800, 20'200,
     -2.0F - kStep - kSlack, -2.0F + kStep + kSlack, 1.0F - kStep - kSlack, 1.0F},
};

class WireTravelTest : public WireTest, public ::testing::WithParamInterface<WireCase> {};

TEST_P(WireTravelTest, TravelsPassByPassAndEndsWhereItShould) {
    const WireCase& c = GetParam();
    aimAt(c.target, c.x, c.z);
    // The wire where each pass begins, and whether it counts as busy then.
    std::vector<D3DVECTOR> atPass;
    bool alwaysBusy = true;
    whilePumping([&](int pump) {
        if (pump > 1) {  // pump 1 is the key handler's own
            atPass.push_back(form.WirePos);
            alwaysBusy = alwaysBusy && form.WireBusy;
        }
    });

    ASSERT_EQ(key(wireKey(c.target)), -1) << c.name;

    const int n = static_cast<int>(atPass.size());
    EXPECT_GE(n, c.minPasses) << c.name;
    EXPECT_LE(n, c.maxPasses) << c.name;
    EXPECT_TRUE(alwaysBusy);
    EXPECT_FALSE(form.WireBusy);
    const D3DVECTOR end = form.WirePos;
    EXPECT_GE(end.x, c.xLow) << c.name << ": x " << end.x;
    EXPECT_LE(end.x, c.xHigh) << c.name << ": x " << end.x;
    EXPECT_GE(end.z, c.zLow) << c.name << ": z " << end.z;
    EXPECT_LE(end.z, c.zHigh) << c.name << ": z " << end.z;
    EXPECT_EQ(end.y, 4.0F);

    // The calls: load, control, rewind, loop, then a pump and one position
    // at height 4 per pass, then stop and release.
    const auto& log = fake.log.entries;
    ASSERT_EQ(log.size(), static_cast<std::size_t>(1 + 4 + 2 * n + 2)) << c.name;
    EXPECT_EQ(log[0], "runtime.doEvents()");
    EXPECT_EQ(log[1],
              "DS.CreateSoundBufferFromFile(/opt/earshot/sounds/wire.wav,176,DS3DALG_HRTF_FULL)");
    EXPECT_EQ(log[2], "wire.wav#1.GetDirectSound3DBuffer()");
    EXPECT_EQ(log[3], "wire.wav#1.SetCurrentPosition(0)");
    EXPECT_EQ(log[4], "wire.wav#1.Play(1)");
    const float low = std::min(0.0F, std::min(c.x, c.z)) - kStep - kSlack;
    for (int k = 0; k < n; ++k) {
        const D3DVECTOR sent = k + 1 < n ? atPass[static_cast<std::size_t>(k + 1)] : end;
        const D3DVECTOR from = atPass[static_cast<std::size_t>(k)];
        const std::size_t at = 5 + 2 * static_cast<std::size_t>(k);
        ASSERT_EQ(log[at], "runtime.doEvents()") << "pass " << k;
        ASSERT_EQ(log[at + 1], "wire.wav#1.3D.SetPosition(" + fakes::num(sent.x) + ",4," +
                                   fakes::num(sent.z) + ",0)")
            << "pass " << k;
        // One step at most per coordinate and pass, never past a target
        // above the start, never more than a step past one below it.
        ASSERT_LE(std::fabs(sent.x - from.x), kStep + kSlack) << "pass " << k;
        ASSERT_LE(std::fabs(sent.z - from.z), kStep + kSlack) << "pass " << k;
        ASSERT_LE(sent.x, std::max(0.0F, c.x)) << "pass " << k;
        ASSERT_LE(sent.z, std::max(0.0F, c.z)) << "pass " << k;
        ASSERT_GE(sent.x, low) << "pass " << k;
        ASSERT_GE(sent.z, low) << "pass " << k;
    }
    // Every pass but the last began outside the target's cell.
    for (int k = 1; k < n; ++k) {
        const D3DVECTOR p = atPass[static_cast<std::size_t>(k)];
        ASSERT_FALSE(std::floor(p.x) == std::floor(c.x) && std::floor(p.z) == std::floor(c.z))
            << "pass " << k << " began in the target's cell at " << p.x << ", " << p.z;
    }
    EXPECT_EQ(log[log.size() - 2], "wire.wav#1.Stop()");
    EXPECT_EQ(log[log.size() - 1], "wire.wav#1.released");
    EXPECT_EQ(form.sound.WireBuffer, nullptr);
    ASSERT_NE(form.sound.Wire3D, nullptr) << "the control is kept until the next wire";
    EXPECT_EQ(fakes::FakePlatform::control(form.sound.Wire3D).name(), "wire.wav#1.3D");
    EXPECT_THAT(fake.runtime.captions, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Targets, WireTravelTest, ::testing::ValuesIn(wireCases),
                         [](const auto& p) { return std::string(p.param.name); });

// ---------------------------------------------------------------------------
// The game goes on while the wire travels.

TEST_F(WireTest, ATargetMovedDuringTheTravelIsFollowed) {
    aimAt(Speaker::FrontLeft, 1.5F, 0.5F);
    form.FrontLeftStep = 3.0F;
    float xWhenMoved = 0.0F;
    whilePumping([&](int pump) {
        if (pump == 1001) {
            xWhenMoved = form.WirePos.x;
            // S moves front left one step of 3 to the left: to -1.5.
            fake.runtime.pending.push_back([this] { form.onKeyDown(keys::letter('S'), 0); });
        }
    });
    ASSERT_EQ(key(keys::letter('A')), -1);
    EXPECT_EQ(form.FrontLeftPos.x, -1.5F);
    EXPECT_GT(xWhenMoved, 0.09F);
    // Turned back at once and ended in the new target's cell, below -1.
    EXPECT_LT(form.WirePos.x, -1.0F);
    EXPECT_GE(form.WirePos.x, -1.0F - kStep - kSlack);
    EXPECT_NEAR(passes(), 1000 + 1000 + 10'000, 100);
    EXPECT_FALSE(form.WireBusy);
}

// Beyond 2048 a step of 0.0001 is lost in the Single's rounding: the wire
// can move no further towards a speaker out there, and the travel ends
// instead of buzzing on for good. The wire is put out there in the first
// pump, as a long travel would have brought it.
TEST_F(WireTest, AWireThatCanNoLongerMoveEnds) {
    aimAt(Speaker::FrontLeft, 3000.0F, 0.0F);
    whilePumping([&](int pump) {
        if (pump == 2) {
            form.WirePos.x = 2048.0F;
        }
    });
    ASSERT_EQ(key(keys::letter('A')), -1);
    EXPECT_EQ(form.WirePos.x, 2048.0F);
    EXPECT_EQ(passes(), 1);
    EXPECT_FALSE(form.WireBusy);
}

TEST_F(WireTest, ATargetPlacedAnewByALevelUpIsFollowed) {
    aimAt(Speaker::RearLeft, 1.5F, 0.5F);
    whilePumping([&](int pump) {
        if (pump == 500) {
            // Every axis locked: the next tick rises a level and places the
            // speakers anew; rear left is drawn to (-5, -4).
            for (Speaker which : speakerOrder) {
                form.speaker(which).XLocked = true;
                form.speaker(which).ZLocked = true;
            }
            fake.runtime.pending.push_back([this] { form.onTimer(); });
        }
    });
    // The tick's eight drift draws; the level up's placement (eight), the
    // music set, and the music's own placement: front left x z, front right
    // x z, rear left x z (level 2: floor(6r + 1) - 10).
    fake.runtime.draws = {0.5F, 0.5F, 0.5F, 0.5F, 0.5F, 0.5F, 0.5F, 0.5F,
                          0.9F, 0.9F, 0.9F, 0.9F, 0.9F, 0.9F, 0.9F, 0.9F,
                          0.0F,
                          0.9F, 0.9F, 0.9F, 0.9F, 0.75F, 0.9F};
    fake.runtime.logPumps = false;
    ASSERT_EQ(key(keys::letter('Z')), -1);
    EXPECT_EQ(form.Level, 2.0F);
    EXPECT_EQ(form.RearLeftPos.x, -5.0F) << "draw mismatch; the wire aims at the placement";
    EXPECT_EQ(form.RearLeftPos.z, -4.0F);
    EXPECT_NEAR(form.WirePos.x, -5.0F, kStep + kSlack);
    EXPECT_NEAR(form.WirePos.z, -4.0F, kStep + kSlack);
}

TEST_F(WireTest, AWireKeyDuringATravelDoesNothing) {
    aimAt(Speaker::FrontRight, 1.5F, -0.5F);
    fake.runtime.logPumps = false;
    ASSERT_EQ(key(keys::Semicolon), -1);
    const int undisturbed = passes();
    const D3DVECTOR undisturbedEnd = form.WirePos;

    int nestedBusy = 0;
    whilePumping([&](int pump) {  // counted afresh from the second travel's key
        if (pump == 1000) {
            for (Speaker which : speakerOrder) {
                fake.runtime.pending.push_back([this, which, &nestedBusy] {
                    nestedBusy += form.WireBusy ? 1 : 0;
                    form.onKeyDown(wireKey(which), 0);
                });
            }
        }
    });
    ASSERT_EQ(key(keys::Semicolon), -1);
    EXPECT_EQ(nestedBusy, 4);
    EXPECT_EQ(fake.directSound->loads["wire.wav"], 2) << "one wire per travel, none nested";
    EXPECT_EQ(passes(), undisturbed);
    EXPECT_EQ(form.WirePos.x, undisturbedEnd.x);
    EXPECT_EQ(form.WirePos.z, undisturbedEnd.z);
    EXPECT_THAT(fake.runtime.captions, IsEmpty());
    EXPECT_EQ(fakes::FakePlatform::control(form.sound.Wire3D).name(), "wire.wav#2.3D");
    EXPECT_FALSE(form.WireBusy);
}

TEST_F(WireTest, EscapeDuringATravelEndsTheProgramAtOnce) {
    aimAt(Speaker::FrontLeft, 1.5F, 0.5F);
    whilePumping([&](int pump) {
        if (pump == 50) {
            fake.runtime.pending.push_back([this] { form.onKeyDown(keys::Escape, 0); });
        }
    });
    EXPECT_EQ(key(keys::letter('A')), 0);
    EXPECT_EQ(fake.log.entries.back(), "runtime.endProgram(0)");
    EXPECT_EQ(passes(), 48);  // passes 1 to 48 pumped 2 to 49; the 49th never stepped
    EXPECT_THAT(fake.runtime.errors, IsEmpty());
}

TEST_F(WireTest, AMissingWireFileIsReportedAndEndsTheProgramWithOne) {
    fake.audio.unloadable = {"wire.wav"};
    EXPECT_EQ(key(keys::letter('Z')), 1);
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0],
              "Error in the key handler: cannot load sound file /opt/earshot/sounds/wire.wav: No "
              "such file or directory. The game ends.");
    EXPECT_EQ(fake.voice->spoken.back(), fake.runtime.errors[0]);
    EXPECT_EQ(fake.log.entries.back(), "runtime.endProgram(1)");
}

TEST_F(WireTest, EachTravelLoadsItsOwnWireAndReplacesTheControl) {
    aimAt(Speaker::FrontLeft, 0.5F, -0.5F);
    ASSERT_EQ(key(keys::letter('A')), -1);
    ASSERT_EQ(key(keys::letter('A')), -1);
    EXPECT_EQ(fake.directSound->loads["wire.wav"], 2);
    EXPECT_EQ(fakes::FakePlatform::control(form.sound.Wire3D).name(), "wire.wav#2.3D");
    EXPECT_EQ(passes(), 1);
    EXPECT_GE(fake.log.find("wire.wav#1.released"), 0);
    EXPECT_LT(fake.log.find("wire.wav#1.released"), fake.log.find("wire.wav#2.Play(1)"));
}

// ---------------------------------------------------------------------------
// The pace, on the fake clock.

TEST_F(WireTest, PassKStartsNoEarlierThanTheStartPlusKTimesFortyMicroseconds) {
    aimAt(Speaker::FrontLeft, 1.5F, 0.5F);
    fake.runtime.logPumps = false;
    const std::int64_t pressed = fake.runtime.now;
    const int sleepsBefore = fake.runtime.sleeps;  // the intro's wait
    std::vector<std::int64_t> passStarts;
    whilePumping([&](int pump) {
        if (pump > 1) {
            passStarts.push_back(fake.runtime.now);
        }
    });
    ASSERT_EQ(key(keys::letter('A')), -1);
    const auto n = static_cast<std::int64_t>(passStarts.size());
    ASSERT_GT(n, 9'000);
    for (std::int64_t k = 0; k < n; ++k) {
        ASSERT_GE(passStarts[static_cast<std::size_t>(k)], pressed + k * 40) << "pass " << k;
    }
    // The average pace holds: no pass later than its time plus a short
    // burst's worth, so a 1-unit travel takes its 0.4 s, not more.
    for (std::int64_t k = 0; k < n; ++k) {
        ASSERT_LE(passStarts[static_cast<std::size_t>(k)], pressed + k * 40 + 2'000)
            << "pass " << k;
    }
    const int sleeps = fake.runtime.sleeps - sleepsBefore;
    EXPECT_GE(sleeps, 1);
    EXPECT_LE(sleeps, n) << "at most one wait per pass";
    EXPECT_EQ(passes(), n) << "each pass pumps once and sends once";
}

TEST_F(WireTest, AMachineTooSlowForThePaceRunsBehindWithoutWaiting) {
    aimAt(Speaker::FrontLeft, 1.5F, 0.5F);
    fake.runtime.logPumps = false;
    const int sleepsBefore = fake.runtime.sleeps;
    whilePumping([&](int) { fake.runtime.now += 100; });  // each pass takes 100 us
    ASSERT_EQ(key(keys::letter('A')), -1);
    EXPECT_EQ(fake.runtime.sleeps - sleepsBefore, 0);
    EXPECT_NEAR(passes(), 10'000, 100);
    EXPECT_GE(form.WirePos.x, 1.0F);
}

// A travel of 1 unit (about 10,000 passes) whose pumps take the given
// time each: what it took and when each pass started.
struct PacedTravel {
    std::int64_t microseconds = 0;
    std::vector<std::int64_t> passStarts;

    // The shortest time between two passes, after the first `from`.
    std::int64_t closestPasses(std::size_t from = 0) const {
        std::int64_t closest = std::numeric_limits<std::int64_t>::max();
        for (std::size_t k = std::max<std::size_t>(from, 1); k < passStarts.size(); ++k) {
            closest = std::min(closest, passStarts[k] - passStarts[k - 1]);
        }
        return closest;
    }
};

class WirePaceTest : public WireTest {
protected:
    PacedTravel travel(const std::function<std::int64_t(int pass)>& pumpTakes) {
        aimAt(Speaker::FrontLeft, 1.5F, 0.5F);
        fake.runtime.logPumps = false;
        PacedTravel result;
        const std::int64_t pressed = fake.runtime.now;
        whilePumping([&](int pump) {
            if (pump > 1) {  // pump 1 is the key's own
                result.passStarts.push_back(fake.runtime.now);
                fake.runtime.now += pumpTakes(pump - 2);
            }
        });
        EXPECT_EQ(key(keys::letter('A')), -1);
        whilePumping(nullptr);
        result.microseconds = fake.runtime.now - pressed;
        return result;
    }
};

TEST_F(WirePaceTest, AOneSecondStallInTheMiddleMakesTheTravelOneSecondLonger) {
    const PacedTravel unhindered = travel([](int) { return 0; });
    ASSERT_GT(unhindered.passStarts.size(), 9'000U);
    constexpr int stalledPass = 5'000;
    const PacedTravel stalled =
        travel([](int pass) { return pass == stalledPass ? 1'000'000 : 0; });
    ASSERT_EQ(stalled.passStarts.size(), unhindered.passStarts.size());
    const std::int64_t longer = stalled.microseconds - unhindered.microseconds;
    EXPECT_GE(longer, 1'000'000 - 2 * 40) << "travel of " << unhindered.microseconds << " us unhindered";
    EXPECT_LE(longer, 1'000'000 + 2 * 40) << "travel of " << unhindered.microseconds << " us unhindered";
    // No pass is made up: after the stall the wire goes on at its pace, it
    // does not jump to where it would have been.
    EXPECT_GE(stalled.closestPasses(stalledPass + 1), 40);
    EXPECT_GE(stalled.passStarts[stalledPass + 1] - stalled.passStarts[stalledPass], 1'000'000);
}

TEST_F(WirePaceTest, ShortHoldUpsAreMadeUpSoTheAveragePaceHolds) {
    // Every other pass takes 70 us and one in 1,000 a further 3 ms: the
    // machine keeps up on average, and the travel ends on its schedule.
    const PacedTravel unhindered = travel([](int) { return 0; });
    const PacedTravel jittery = travel([](int pass) -> std::int64_t {
        return (pass % 2 == 1 ? 70 : 0) + (pass % 1'000 == 999 ? 3'000 : 0);
    });
    ASSERT_EQ(jittery.passStarts.size(), unhindered.passStarts.size());
    EXPECT_LE(jittery.microseconds, unhindered.microseconds + 3'000 + 70)
        << "travel of " << unhindered.microseconds << " us unhindered";
    EXPECT_EQ(unhindered.closestPasses(), 40);
    EXPECT_EQ(jittery.closestPasses(), 0) << "the late passes were not made up";
}

}  // namespace
}  // namespace earshot::testing
