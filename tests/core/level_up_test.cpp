// The level up with its cue and its new music: the divisor, the steps, the
// music set, the order of loads, controls, plays and stops, the cue's wait,
// what handlers in the cue's pump see, and what becomes of a sound file that
// cannot be loaded.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "input/key_codes.h"
#include "tests/core/level_cycle_fixture.h"

namespace earshot::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string sounds = "/opt/earshot/sounds/";

std::string loadOf(const std::string& file) {
    return "DS.CreateSoundBufferFromFile(" + sounds + file + ",176,DS3DALG_HRTF_FULL)";
}

// ---- the drift divisor ----

struct DivisorCase {
    const char* name;
    float before;
    float after;
};

std::ostream& operator<<(std::ostream& out, const DivisorCase& c) {
    return out << c.name << " (" << c.before << " -> " << c.after << ")";
}

class Divisor : public StartedGame, public ::testing::WithParamInterface<DivisorCase> {};

TEST_P(Divisor, IsLoweredByATenthOnlyWhileAboveTheSingleTenth) {
    const DivisorCase& c = GetParam();
    form.DriftDivisor = c.before;
    form.LevelUp();
    EXPECT_EQ(form.DriftDivisor, c.after) << std::hexfloat << "before " << c.before << ", after "
                                          << form.DriftDivisor << ", expected " << c.after;
}

INSTANTIATE_TEST_SUITE_P(
    Values, Divisor,
    ::testing::Values(DivisorCase{"GameStart", 55.0F, 54.9000015F},
                      // 0.2 less 0.1, rounded, is the Single tenth itself.
                      DivisorCase{"TwoTenths", 0.2F, 0.1F},
                      DivisorCase{"JustAboveATenth", std::nextafter(0.1F, 1.0F), 0x1.333334p-27F},
                      DivisorCase{"ExactlyTheSingleTenth", 0.1F, 0.1F},
                      DivisorCase{"BelowATenth", 0.05F, 0.05F},
                      DivisorCase{"TheFloor", 0x1.15a466p-12F, 0x1.15a466p-12F}),
    CaseName());

TEST_F(StartedGame, TheDivisorAfterOneTenAnd550LevelUpsThenNoLower) {
    fake.runtime.logDraws = false;
    ASSERT_EQ(form.DriftDivisor, 55.0F);
    form.LevelUp();
    EXPECT_EQ(form.DriftDivisor, 54.9000015F);
    for (int n = 2; n <= 10; ++n) {
        form.LevelUp();
    }
    EXPECT_EQ(form.DriftDivisor, 54.0000153F) << std::hexfloat << form.DriftDivisor;
    for (int n = 11; n <= 549; ++n) {
        form.LevelUp();
        fake.log.clear();
    }
    EXPECT_GT(form.DriftDivisor, 0.1F) << "after 549 level ups";
    form.LevelUp();
    // About 0.00026: the last tenth taken from just above 0.1.
    const float floor = form.DriftDivisor;
    EXPECT_EQ(floor, 0x1.15a466p-12F) << std::hexfloat << "after 550 level ups: " << floor;
    EXPECT_GT(floor, 0.0F);
    for (int n = 551; n <= 560; ++n) {
        form.LevelUp();
        fake.log.clear();
    }
    EXPECT_EQ(form.DriftDivisor, floor) << "after 560 level ups";
    EXPECT_EQ(form.Level, 561.0F);
}

// ---- steps ----

TEST_F(StartedGame, ACompletedLevelLeavesEveryStepAndSavedStepAtOnePointFive) {
    completeLevel();
    for (Speaker which : speakerOrder) {
        form.speaker(which).Step = 0.3F;  // the tick's slow zone makes it 0.1 first
        form.speaker(which).SavedStep = 0.3F;
    }
    ASSERT_EQ(tick(), -1);
    ASSERT_EQ(form.Level, 2.0F);
    for (Speaker which : speakerOrder) {
        SCOPED_TRACE(form.speaker(which).name);
        EXPECT_EQ(form.speaker(which).Step, 0.15F);
        EXPECT_EQ(form.speaker(which).SavedStep, 0.15F);
    }
}

TEST_F(StartedGame, EachSpeakersOwnStepGrowsByHalfAndIsSaved) {
    const struct {
        Speaker which;
        float step;
        float grown;
    } cases[] = {{Speaker::FrontLeft, 0.1F, 0.15F},
                 {Speaker::FrontRight, 0.2F, 0.3F},
                 {Speaker::RearLeft, 0.3F, 0.45000002F},
                 {Speaker::RearRight, 0.15F, 0.225000009F}};
    for (const auto& c : cases) {
        form.speaker(c.which).Step = c.step;
        form.speaker(c.which).SavedStep = 7.0F;
    }
    form.LevelUp();
    for (const auto& c : cases) {
        SpeakerRefs s = form.speaker(c.which);
        EXPECT_EQ(s.Step, c.grown) << s.name << " from " << c.step;
        EXPECT_EQ(s.SavedStep, c.grown) << s.name << " from " << c.step;
    }
}

// ---- the music set ----

struct MusicCase {
    const char* name;
    float r;
    int set;
};

std::ostream& operator<<(std::ostream& out, const MusicCase& c) {
    return out << c.name << " (r " << c.r << " -> set " << c.set << ")";
}

class MusicSet : public StartedGame, public ::testing::WithParamInterface<MusicCase> {};

TEST_P(MusicSet, TheDrawPicksTheSetAndItsFiles) {
    const MusicCase& c = GetParam();
    queueDraws({c.r});
    form.StartTheMusic();
    EXPECT_EQ(form.MusicSet, static_cast<float>(c.set)) << "r " << c.r;
    const std::string left = "left" + std::to_string(c.set) + ".wav";
    const std::string right = "right" + std::to_string(c.set) + ".wav";
    EXPECT_THAT(fake.log.matching("CreateSoundBufferFromFile"),
                ElementsAre(loadOf(left), loadOf(right), loadOf(left), loadOf(right)));
    // The draw of the set comes right after its own reseed.
    ASSERT_GE(fake.log.entries.size(), 2U);
    EXPECT_EQ(fake.log.entries[0], "runtime.randomize()");
    EXPECT_EQ(fake.log.entries[1], "runtime.rnd() -> " + fakes::num(c.r));
}

INSTANTIATE_TEST_SUITE_P(
    Draws, MusicSet,
    ::testing::Values(MusicCase{"Zero", 0.0F, 1},
                      MusicCase{"BelowOneSixth", std::nextafter(1.0F / 6.0F, 0.0F), 1},
                      MusicCase{"OneSixth", 1.0F / 6.0F, 2},
                      MusicCase{"Half", 0.5F, 4},
                      // The Single nearest 5/6 lies just below it.
                      MusicCase{"FiveSixths", 5.0F / 6.0F, 5},
                      MusicCase{"AboveFiveSixths", std::nextafter(5.0F / 6.0F, 1.0F), 6},
                      MusicCase{"BelowOne", belowOne, 6}),
    CaseName());

// ---- the order of a level up ----

class LevelUpRun : public StartedGame {
protected:
    // Completes the level and runs the tick that raises it, with the new
    // music set 3. Remembers the names of the first level's sounds.
    void runLevelUp() {
        for (Speaker which : speakerOrder) {
            oldBuffer.push_back(buffer(which).name());
            oldControl.push_back(control(which).name());
        }
        completeLevel();
        queueDraws(16, driftNone);  // the tick's draws and the first placement
        queueDraws({0.4F});         // set 3
        ASSERT_EQ(tick(), -1) << fake.log.dump();
        ASSERT_EQ(form.Level, 2.0F);
    }
    // Names of the old sounds, in the order front left, front right, rear
    // left, rear right.
    std::vector<std::string> oldBuffer;
    std::vector<std::string> oldControl;
    const Speaker fl = Speaker::FrontLeft;
    const Speaker fr = Speaker::FrontRight;
    const Speaker rl = Speaker::RearLeft;
    const Speaker rr = Speaker::RearRight;
};

TEST_F(LevelUpRun, LoadsControlsAndPlaysTheNewSetInTheirOrdersBeforePlacingIt) {
    ASSERT_NO_FATAL_FAILURE(runLevelUp());
    const int musicStart = fake.log.find(loadOf("left3.wav"));
    ASSERT_GE(musicStart, 0) << fake.log.dump();
    const std::vector<std::string> after(fake.log.entries.begin() + musicStart,
                                         fake.log.entries.end());
    fakes::CallLog tail{after};

    EXPECT_THAT(tail.matching("CreateSoundBufferFromFile"),
                ElementsAre(loadOf("left3.wav"), loadOf("right3.wav"), loadOf("left3.wav"),
                            loadOf("right3.wav")));
    EXPECT_EQ(buffer(fl).path(), sounds + "left3.wav");
    EXPECT_EQ(buffer(fr).path(), sounds + "right3.wav");
    EXPECT_EQ(buffer(rl).path(), sounds + "left3.wav");
    EXPECT_EQ(buffer(rr).path(), sounds + "right3.wav");
    EXPECT_NE(&buffer(fl), &buffer(rl)) << "the two left speakers share one buffer";
    EXPECT_NE(&buffer(fr), &buffer(rr)) << "the two right speakers share one buffer";

    EXPECT_THAT(tail.matching("GetDirectSound3DBuffer"),
                ElementsAre(buffer(fl).name() + ".GetDirectSound3DBuffer()",
                            buffer(fr).name() + ".GetDirectSound3DBuffer()",
                            buffer(rl).name() + ".GetDirectSound3DBuffer()",
                            buffer(rr).name() + ".GetDirectSound3DBuffer()"));
    EXPECT_THAT(tail.matching(".Play("),
                ElementsAre(buffer(rl).name() + ".Play(1)", buffer(rr).name() + ".Play(1)",
                            buffer(fl).name() + ".Play(1)", buffer(fr).name() + ".Play(1)"));

    // All four play before the placement that stays begins, and by then
    // nothing of the old set is held.
    const int lastPlay = tail.find(buffer(fr).name() + ".Play(1)");
    const int reseed = tail.find("runtime.randomize()");
    EXPECT_LT(lastPlay, reseed) << tail.dump();
    for (std::size_t i = 0; i < oldBuffer.size(); ++i) {
        const int released = tail.find(oldBuffer[i] + ".released");
        EXPECT_GE(released, 0) << oldBuffer[i] << "\n" << tail.dump();
        EXPECT_LT(released, tail.find(".Play(1)")) << oldBuffer[i];
    }
    for (Speaker which : speakerOrder) {
        SCOPED_TRACE(form.speaker(which).name);
        EXPECT_TRUE(buffer(which).playing);
        EXPECT_TRUE(buffer(which).looping);
        EXPECT_EQ(control(which).positionsSent, 1);
    }
    EXPECT_EQ(form.MusicSet, 3.0F);
}

TEST_F(LevelUpRun, TheOldMusicStopsAfterTheCueAndTheNewStartsAfterTheFirstPlacement) {
    ASSERT_NO_FATAL_FAILURE(runLevelUp());
    const auto& log = fake.log;
    const std::vector<std::string> landmarks = {
        "LevelUp.wav#1.Play(0)",
        "LevelUp.wav#1.Stop()",
        oldBuffer[0] + ".Stop()",
        oldBuffer[1] + ".Stop()",
        oldBuffer[2] + ".Stop()",
        oldBuffer[3] + ".Stop()",
        "runtime.randomize()",
        oldControl[0] + ".SetPosition",
        oldControl[1] + ".SetPosition",
        oldControl[2] + ".SetPosition",
        oldControl[3] + ".SetPosition",
        "runtime.randomize()",
        loadOf("left3.wav"),
        ".Play(1)",
        "runtime.randomize()",
        control(fl).name() + ".SetPosition",
        control(fr).name() + ".SetPosition",
        control(rl).name() + ".SetPosition",
        control(rr).name() + ".SetPosition",
    };
    int at = log.find("LevelUp.wav");
    for (const auto& landmark : landmarks) {
        const int found = log.find(landmark, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << landmark << "\n" << log.dump();
        at = found + 1;
    }
    // Two placements: the old controls were sent by the tick and the first
    // placement, the new ones by the second placement only.
    EXPECT_EQ(fake.runtime.randomizes, 3);
    for (std::size_t i = 0; i < oldControl.size(); ++i) {
        EXPECT_EQ(log.matching(oldControl[i] + ".SetPosition").size(), 2U) << oldControl[i];
    }
    // The old music was not stopped before the cue, nor again after.
    for (const auto& name : oldBuffer) {
        EXPECT_EQ(log.matching(name + ".Stop()").size(), 1U) << name;
        EXPECT_GT(log.find(name + ".Stop()"), log.find("LevelUp.wav#1.Stop()")) << name;
    }
}

TEST_F(LevelUpRun, TheNewSpeakersKeepTheServicesDefaultDistancesAndVolume) {
    ASSERT_NO_FATAL_FAILURE(runLevelUp());
    EXPECT_THAT(fake.log.matching("Distance("), IsEmpty());
    EXPECT_THAT(fake.log.matching("SetVolume("), IsEmpty());
    for (Speaker which : speakerOrder) {
        SCOPED_TRACE(form.speaker(which).name);
        EXPECT_EQ(control(which).minDistance, 1.0F);
        EXPECT_EQ(control(which).maxDistance, 1e9F);
        EXPECT_EQ(buffer(which).volume, 0);
    }
}

TEST_F(StartedGame, TheFirstLevelsSpeakersHaveTheGamesDistances) {
    for (Speaker which : speakerOrder) {
        SCOPED_TRACE(form.speaker(which).name);
        EXPECT_EQ(control(which).minDistance, 1.0F);
        EXPECT_EQ(control(which).maxDistance, 10.0F);
    }
}

TEST_F(StartedGame, ALevelUpKeepsScoreCountersMutesSelectionFreezeAndSums) {
    form.Score = -12.5F;
    form.LockCount = 17.0F;
    form.LockdownCount = 9.0F;
    form.FrontLeftMuted = true;
    form.RearRightMuted = true;
    form.LeftSelected = false;
    form.FrontSelected = false;
    form.SpeakersLockedDown = true;
    form.WireBusy = true;
    form.FrontLeftSum = 7.0F;
    form.FrontRightSum = 8.0F;
    form.RearLeftSum = 9.0F;
    form.RearRightSum = 10.0F;
    setAllLocks(true);
    form.LevelUp();
    EXPECT_EQ(form.Level, 2.0F);
    EXPECT_EQ(form.Score, -12.5F);
    EXPECT_EQ(form.LockCount, 17.0F);
    EXPECT_EQ(form.LockdownCount, 9.0F);
    EXPECT_TRUE(form.FrontLeftMuted);
    EXPECT_FALSE(form.FrontRightMuted);
    EXPECT_FALSE(form.RearLeftMuted);
    EXPECT_TRUE(form.RearRightMuted);
    EXPECT_FALSE(form.LeftSelected);
    EXPECT_FALSE(form.FrontSelected);
    EXPECT_TRUE(form.SpeakersLockedDown);
    EXPECT_TRUE(form.WireBusy);
    EXPECT_EQ(form.FrontLeftSum, 7.0F);
    EXPECT_EQ(form.FrontRightSum, 8.0F);
    EXPECT_EQ(form.RearLeftSum, 9.0F);
    EXPECT_EQ(form.RearRightSum, 10.0F);
    for (const AxisCase& a : allAxes) {
        EXPECT_FALSE(form.speaker(a.speaker).locked(a.axis)) << a.name;
    }
    // A muted speaker's new sound plays at full level; its flag stays set.
    EXPECT_EQ(buffer(Speaker::FrontLeft).volume, 0);
}

// ---- the cue ----

TEST_F(LevelUpRun, TheCueIsLoadedPlacedAndPlayedOnceThenWaitedForAndLetGo) {
    ASSERT_NO_FATAL_FAILURE(runLevelUp());
    const int start = fake.log.find(loadOf("LevelUp.wav"));
    ASSERT_GE(start, 0) << fake.log.dump();
    const std::vector<std::string> cue(fake.log.entries.begin() + start,
                                       fake.log.entries.begin() + start + 8);
    EXPECT_THAT(cue, ElementsAre(loadOf("LevelUp.wav"), "LevelUp.wav#1.GetDirectSound3DBuffer()",
                                 "LevelUp.wav#1.SetCurrentPosition(0)",
                                 "LevelUp.wav#1.3D.SetPosition(0,5,0,0)", "LevelUp.wav#1.Play(0)",
                                 "runtime.doEvents()", "LevelUp.wav#1.Stop()",
                                 "LevelUp.wav#1.released"))
        << fake.log.dump();
    EXPECT_EQ(fake.directSound->loads["LevelUp.wav"], 1);
    EXPECT_EQ(form.sound.CueBuffer, nullptr);
    ASSERT_NE(form.sound.Cue3D, nullptr);
    EXPECT_EQ(fakes::FakePlatform::control(form.sound.Cue3D).name(), "LevelUp.wav#1.3D");
}

TEST_F(LevelUpRun, TheCueWaitReadsTheStatusUntilTheEndSleepingAtMostAMillisecondBetweenReads) {
    fake.audio.playingReads = 40;
    std::shared_ptr<DirectSoundSecondaryBuffer8> cue;
    int pumpsAtStart = 0;
    int sleepsAtPump = -1;
    std::int64_t clockAtPump = 0;
    fake.runtime.onPump = [&](int number) {
        pumpsAtStart = number;
        cue = form.sound.CueBuffer;  // kept, to read its counters afterwards
        sleepsAtPump = fake.runtime.sleeps;
        clockAtPump = fake.runtime.now;
    };
    ASSERT_NO_FATAL_FAILURE(runLevelUp());
    ASSERT_NE(cue, nullptr);
    auto& played = fakes::FakePlatform::buffer(cue);
    EXPECT_EQ(played.name(), "LevelUp.wav#1");
    // 40 reads while it plays and one that finds it ended; no read before
    // the pump.
    EXPECT_EQ(played.statusReads, 41);
    const int sleeps = fake.runtime.sleeps - sleepsAtPump;
    const std::int64_t waited = fake.runtime.now - clockAtPump;
    EXPECT_EQ(sleeps, 40) << "one sleep between two reads";
    EXPECT_GT(waited, 0);
    EXPECT_LE(waited, 1000 * static_cast<std::int64_t>(sleeps))
        << waited << " us over " << sleeps << " sleeps";
    // The one pump was the cue's; the wait pumped nothing.
    EXPECT_EQ(fake.runtime.pumps, pumpsAtStart);
    EXPECT_EQ(fake.log.matching("runtime.doEvents()").size(), 1U);
}

// What a handler sees when it runs in the cue's pump: the level is raised,
// the locks still set, the old music and the cue still playing.
TEST_F(LevelUpRun, EventsPendingAtTheCueRunOnceInItsPumpAndLaterOnesWait) {
    int ranInPump = 0;
    bool laterRan = false;
    float levelSeen = 0.0F;
    bool allLockedSeen = false;
    bool oldMusicPlaying = false;
    bool cuePlaying = false;
    fake.runtime.pending.push_back([&] {
        ++ranInPump;
        levelSeen = form.Level;
        allLockedSeen = true;
        for (const AxisCase& a : allAxes) {
            allLockedSeen = allLockedSeen && form.speaker(a.speaker).locked(a.axis);
        }
        oldMusicPlaying = buffer(Speaker::FrontLeft).playing && buffer(Speaker::RearRight).playing;
        cuePlaying = form.sound.CueBuffer != nullptr &&
                     fakes::FakePlatform::buffer(form.sound.CueBuffer).playing;
        fake.runtime.pending.push_back([&] { laterRan = true; });
    });
    ASSERT_NO_FATAL_FAILURE(runLevelUp());
    EXPECT_EQ(ranInPump, 1);
    EXPECT_EQ(levelSeen, 2.0F);
    EXPECT_TRUE(allLockedSeen);
    EXPECT_TRUE(oldMusicPlaying);
    EXPECT_TRUE(cuePlaying);
    EXPECT_FALSE(laterRan) << "an event queued after the pump ran inside the level up";
    ASSERT_EQ(fake.runtime.pending.size(), 1U);
    fake.runtime.doEvents();
    EXPECT_TRUE(laterRan);
    EXPECT_EQ(ranInPump, 1);
}

TEST_F(LevelUpRun, ALockCommandInTheCuesPumpLocksNothingAndStillCosts) {
    fake.runtime.pending.push_back([this] { form.onKeyDown(keys::Space, 0); });
    ASSERT_NO_FATAL_FAILURE(runLevelUp());
    EXPECT_EQ(form.LockdownCount, 1.0F);
    EXPECT_EQ(form.LockCount, 0.0F);
    EXPECT_EQ(form.Score, 99.0F);
    EXPECT_THAT(fake.voice->spoken, IsEmpty());
}

// A tick due inside the level-up cue is skipped whole: it draws nothing,
// sends nothing and cannot start a second level up while the locks are
// still set.
TEST_F(LevelUpRun, ATickInTheLevelUpCuesPumpIsSkipped) {
    int nestedDraws = -1;
    std::size_t nestedLogEntries = 0;
    int nestedResult = 0;
    bool runningSeen = false;
    fake.runtime.pending.push_back([&] {
        runningSeen = form.LevelUpRunning;
        const int draws = fake.runtime.drawsTaken;
        const std::size_t entries = fake.log.entries.size();
        nestedResult = tick();
        nestedDraws = fake.runtime.drawsTaken - draws;
        nestedLogEntries = fake.log.entries.size() - entries;
    });
    ASSERT_NO_FATAL_FAILURE(runLevelUp());
    EXPECT_TRUE(runningSeen);
    EXPECT_EQ(nestedResult, -1);
    EXPECT_EQ(nestedDraws, 0);
    EXPECT_EQ(nestedLogEntries, 0U) << fake.log.dump();
    EXPECT_EQ(form.Level, 2.0F);
    EXPECT_EQ(fake.directSound->loads["LevelUp.wav"], 1);
    EXPECT_FALSE(form.LevelUpRunning);

    // The next tick runs again.
    queueDraws(8, driftNone);
    const int before = fake.runtime.drawsTaken;
    ASSERT_EQ(tick(), -1);
    EXPECT_EQ(fake.runtime.drawsTaken - before, 8);
}

// ---- sound files that cannot be loaded ----

struct LevelUpFailure {
    const char* name;
    std::string unloadable;   // a file name, or empty
    std::string failingCall;  // a call's log text, or empty
    std::string reason;       // the error's own text
    int newBuffers;           // speakers that got a buffer of set 4 before the failure
};

std::ostream& operator<<(std::ostream& out, const LevelUpFailure& c) {
    return out << c.name;
}

class LevelUpFails : public LevelUpRun, public ::testing::WithParamInterface<LevelUpFailure> {};

TEST_P(LevelUpFails, IsReportedOnceAndEndsTheProgramWithStatusOne) {
    const LevelUpFailure& c = GetParam();
    for (Speaker which : speakerOrder) {
        oldBuffer.push_back(buffer(which).name());
    }
    if (!c.unloadable.empty()) {
        fake.audio.unloadable = {c.unloadable};
    }
    fake.audio.failingCall = c.failingCall;
    completeLevel();
    queueDraws(16, driftNone);
    queueDraws({0.5F});  // set 4
    EXPECT_EQ(tick(), 1) << fake.log.dump();
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0], "Error in the game's tick: " + c.reason + ". The game ends.");
    ASSERT_FALSE(fake.voice->spoken.empty());
    EXPECT_EQ(fake.voice->spoken.back(), fake.runtime.errors[0]);
    EXPECT_EQ(fake.log.entries.back(), "runtime.endProgram(1)");
    EXPECT_EQ(form.Level, 2.0F);

    // Loaded before the failure: new buffers; the others keep the old ones;
    // none of the new ones started, and the new set was not placed.
    for (const auto& taken : fake.log.matching(".GetDirectSound3DBuffer()")) {
        EXPECT_THAT(taken, HasSubstr("LevelUp.wav")) << "a speaker's 3D control was taken";
    }
    int index = 0;
    for (Speaker which : speakerOrder) {
        SCOPED_TRACE(form.speaker(which).name);
        if (index < c.newBuffers) {
            EXPECT_NE(buffer(which).name(), oldBuffer[static_cast<std::size_t>(index)]);
            EXPECT_EQ(buffer(which).name().rfind(isLeftSpeaker(which) ? "left4" : "right4", 0), 0U)
                << buffer(which).name();
            EXPECT_FALSE(buffer(which).playing);
            // Its 3D control was never taken, so it was never placed.
            EXPECT_EQ(buffer(which).control, nullptr);
        } else {
            EXPECT_EQ(buffer(which).name(), oldBuffer[static_cast<std::size_t>(index)]);
        }
        ++index;
    }
    EXPECT_THAT(fake.log.matching(".Play(1)"), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, LevelUpFails,
    ::testing::Values(
        LevelUpFailure{"CueMissing", "LevelUp.wav", "",
                       "cannot load sound file " + sounds + "LevelUp.wav: No such file or directory",
                       0},
        LevelUpFailure{"LeftMusicMissing", "left4.wav", "",
                       "cannot load sound file " + sounds + "left4.wav: No such file or directory",
                       0},
        LevelUpFailure{"RightMusicMissing", "right4.wav", "",
                       "cannot load sound file " + sounds + "right4.wav: No such file or directory",
                       1},
        LevelUpFailure{"CuePlayFails", "", "LevelUp.wav#1.Play(0)",
                       "scripted failure of LevelUp.wav#1.Play(0)", 0}),
    CaseName());

TEST_F(StartedGame, AMissingLevelUpCueStopsTheLevelUpBeforeAnythingPlays) {
    const auto oldCue3D = form.sound.Cue3D;
    ASSERT_NE(oldCue3D, nullptr);  // the intro's
    fake.audio.unloadable = {"LevelUp.wav"};
    completeLevel();
    EXPECT_EQ(tick(), 1);
    EXPECT_THAT(fake.log.matching("LevelUp.wav#"), IsEmpty()) << fake.log.dump();
    EXPECT_THAT(fake.log.matching(".Stop()"), IsEmpty()) << fake.log.dump();
    EXPECT_EQ(form.sound.CueBuffer, nullptr);
    EXPECT_EQ(form.sound.Cue3D, oldCue3D);
    for (Speaker which : speakerOrder) {
        EXPECT_TRUE(buffer(which).playing) << form.speaker(which).name << ": the old music goes on";
    }
}

// ---- at the game start ----

struct StartFailure {
    const char* name;
    const char* unloadable;
    int loaded;  // speakers with a buffer when the start was abandoned
};

std::ostream& operator<<(std::ostream& out, const StartFailure& c) { return out << c.name; }

class StartMusicFails : public GameTest, public ::testing::WithParamInterface<StartFailure> {};

TEST_P(StartMusicFails, AbandonsTheStartAndSaysWhy) {
    const StartFailure& c = GetParam();
    fake.audio.unloadable = {c.unloadable};
    fake.runtime.draws.push_back(0.5F);  // set 4
    load();
    ASSERT_EQ(fake.runtime.errors.size(), 1U) << fake.log.dump();
    EXPECT_EQ(fake.runtime.errors[0], std::string("The game could not start: starting the music: "
                                                  "cannot load sound file ") +
                                          sounds + c.unloadable + ": No such file or directory");
    ASSERT_NE(fake.voice, nullptr);
    ASSERT_FALSE(fake.voice->spoken.empty());
    EXPECT_EQ(fake.voice->spoken.back(), fake.runtime.errors[0]);

    int index = 0;
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = form.speaker(which);
        SCOPED_TRACE(s.name);
        if (index < c.loaded) {
            ASSERT_NE(s.Buffer, nullptr);
            EXPECT_FALSE(buffer(which).playing);
        } else {
            EXPECT_EQ(s.Buffer, nullptr);
        }
        EXPECT_EQ(s.Sound3D, nullptr);
        ++index;
    }
    EXPECT_THAT(fake.log.matching(".Play("), IsEmpty());
    EXPECT_THAT(fake.log.matching("SetPosition"), IsEmpty());
    EXPECT_EQ(fake.runtime.drawsTaken, 1);
    EXPECT_EQ(fake.runtime.randomizes, 1);
    EXPECT_EQ(fake.log.find("tavlora"), -1);
    EXPECT_FALSE(fake.runtime.timerEnabled);
}

INSTANTIATE_TEST_SUITE_P(Files, StartMusicFails,
                         ::testing::Values(StartFailure{"LeftFileMissing", "left4.wav", 0},
                                           StartFailure{"RightFileMissing", "right4.wav", 1}),
                         CaseName());

}  // namespace
}  // namespace earshot::testing
