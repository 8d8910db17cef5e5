// Escape while a cue is waited for: the intro and the level-up fanfare hold
// every event until they end, but an Escape that arrives meanwhile ends the
// program at once with status 0, right where the wait is, and nothing of
// the game goes on after it. Without Escape the wait holds the other events
// as before.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "tests/core/level_cycle_fixture.h"

namespace earshot::testing {
namespace {

// Which cue is waited for and at which of the wait's looks for Escape one
// has arrived.
struct EscapeCase {
    const char* name;
    bool levelUp;  // the level-up cue; else the intro
    int arrivesAtLook;
};

std::ostream& operator<<(std::ostream& out, const EscapeCase& c) {
    return out << c.name << " (" << (c.levelUp ? "LevelUp" : "tavlora") << ", look "
               << c.arrivesAtLook << ")";
}

constexpr int cueReads = 40;

class EscapeInCueWait : public GameTest, public ::testing::WithParamInterface<EscapeCase> {
protected:
    // Runs the intro (the game start) or, in a started game, the level up
    // whose cue is waited for; returns the status the program ended with,
    // or -1.
    int runTheCue() {
        const EscapeCase& c = GetParam();
        if (c.levelUp) {
            load();
            completeTheLevel();
            fake.log.clear();
        }
        fake.audio.playingReads = cueReads;
        fake.runtime.escapeChecks = 0;
        fake.runtime.onEscapeCheck = [this, c](int look) {
            cue_ = form.sound.CueBuffer;
            if (look == c.arrivesAtLook) {
                fake.runtime.escapePending = true;
            }
        };
        if (c.levelUp) {
            return tick();
        }
        try {
            load();
        } catch (const fakes::ProgramEnded& ended) {
            return ended.status;
        }
        return -1;
    }

    void completeTheLevel() {
        form.FrontLeftPos = {-0.5F, 0.0F, 0.5F};
        form.FrontRightPos = {0.5F, 0.0F, 0.5F};
        form.RearLeftPos = {-0.5F, 0.0F, -0.5F};
        form.RearRightPos = {0.5F, 0.0F, -0.5F};
        for (Speaker which : speakerOrder) {
            form.speaker(which).XLocked = true;
            form.speaker(which).ZLocked = true;
        }
    }

    // The cue buffer as the wait saw it (the program ended before it was
    // let go).
    std::shared_ptr<DirectSoundSecondaryBuffer8> cue_;
};

TEST_P(EscapeInCueWait, EndsTheProgramWithStatusZeroAtThatLook) {
    const EscapeCase& c = GetParam();
    const int status = runTheCue();
    EXPECT_EQ(status, 0) << GetParam();
    ASSERT_NE(cue_, nullptr);
    auto& played = fakes::FakePlatform::buffer(cue_);
    EXPECT_EQ(played.name(), c.levelUp ? "LevelUp.wav#1" : "tavlora.wav#1");
    // One look after every read that found the cue playing: the program
    // ended at the look that found Escape, long before the cue's end.
    EXPECT_EQ(played.statusReads, c.arrivesAtLook) << GetParam();
    EXPECT_EQ(fake.runtime.escapeChecks, c.arrivesAtLook) << GetParam();
    EXPECT_TRUE(played.playing) << "the cue was stopped: the wait went on to its end";
    ASSERT_FALSE(fake.log.entries.empty());
    EXPECT_EQ(fake.log.entries.back(), "runtime.endProgram(0)") << fake.log.dump();
    if (c.levelUp) {
        // Nothing of the level up after its cue: the old music was not
        // stopped and no new one was loaded.
        EXPECT_EQ(fake.log.matching("CreateSoundBufferFromFile").size(), 1U) << fake.log.dump();
        EXPECT_TRUE(fake.log.matching(".Stop()").empty()) << fake.log.dump();
        EXPECT_TRUE(buffer(Speaker::FrontLeft).playing);
    } else {
        // Nothing of the game start after the intro: no pose, no timer.
        EXPECT_EQ(fake.log.find("listener."), -1) << fake.log.dump();
        EXPECT_FALSE(fake.runtime.timerEnabled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cues, EscapeInCueWait,
    ::testing::Values(EscapeCase{"IntroAtTheFirstLook", false, 1},
                      EscapeCase{"IntroHalfWay", false, cueReads / 2},
                      EscapeCase{"IntroAtTheLastLook", false, cueReads},
                      EscapeCase{"LevelUpAtTheFirstLook", true, 1},
                      EscapeCase{"LevelUpHalfWay", true, cueReads / 2}),
    CaseName());

TEST_F(GameTest, WithoutEscapeTheCueWaitLooksBetweenEveryTwoReadsAndHoldsOtherEvents) {
    fake.audio.playingReads = cueReads;
    std::shared_ptr<DirectSoundSecondaryBuffer8> cue;
    bool keyRan = false;
    bool cuePlayingWhenKeyRan = true;
    // A key that arrives in the middle of the intro.
    fake.runtime.onEscapeCheck = [&](int look) {
        cue = form.sound.CueBuffer;
        if (look == 5) {
            fake.runtime.pending.push_back([&] {
                keyRan = true;
                cuePlayingWhenKeyRan = form.sound.CueBuffer != nullptr;
            });
        }
    };
    load();
    ASSERT_NE(cue, nullptr);
    EXPECT_EQ(fakes::FakePlatform::buffer(cue).statusReads, cueReads + 1);
    EXPECT_EQ(fake.runtime.escapeChecks, cueReads) << "one look between every two reads";
    EXPECT_TRUE(fake.runtime.timerEnabled) << "the game start did not finish";
    EXPECT_FALSE(keyRan) << "a key that arrived during the intro ran inside it";
    fake.runtime.doEvents();
    EXPECT_TRUE(keyRan);
    EXPECT_FALSE(cuePlayingWhenKeyRan);
}

}  // namespace
}  // namespace earshot::testing
