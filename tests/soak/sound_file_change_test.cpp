// Sound files that change under a running game: every level loads its
// music and its cue afresh from the sounds folder, so a file replaced while
// the game runs is the one the next level plays, and a file taken away
// makes the next load fail. That failure is a run-time error of the tick
// (or of the key that needed the file): reported in words, then the end
// of the program with status 1, never a crash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/key_codes.h"
#include "tests/core/game_fixture.h"

namespace earshot::testing {
namespace {

// A music set is floor(r x 6 + 1): this draw gives set 3.
constexpr float kSetThree = 0.4F;
constexpr float kSetTwo = 0.2F;

class SoundFilesChange : public GameTest {
protected:
    void SetUp() override {
        fake.runtime.logDraws = false;
        load();
        ASSERT_TRUE(fake.runtime.errors.empty());
        fake.log.clear();
    }

    // All eight axes locked by hand; the next tick raises the level. The
    // speakers sit in their windows, as a completed level leaves them.
    void completeLevel() {
        for (Speaker which : speakerOrder) {
            SpeakerRefs s = form.speaker(which);
            s.Pos.x = isLeftSpeaker(which) ? -0.5F : 0.5F;
            s.Pos.z = which == Speaker::RearLeft ? -0.5F : 0.5F;
            s.XLocked = true;
            s.ZLocked = true;
        }
    }

    // The draws of the next level-up tick: drift, first placement, then the
    // music set, then the music's placement.
    void scriptLevelUp(float musicDraw) {
        for (int i = 0; i < 16; ++i) {
            fake.runtime.draws.push_back(0.5F);
        }
        fake.runtime.draws.push_back(musicDraw);
        for (int i = 0; i < 8; ++i) {
            fake.runtime.draws.push_back(0.5F);
        }
    }

    std::vector<std::string> loadsOf(const std::string& file) const {
        return fake.log.matching("CreateSoundBufferFromFile(/opt/earshot/sounds/" + file + ",");
    }
};

struct RemovedFile {
    const char* name;
    std::string file;
    // What needs the file: the next level up, or a wire key.
    bool byWireKey;
    std::string error;
};

class RemovedSoundFile : public SoundFilesChange,
                         public ::testing::WithParamInterface<RemovedFile> {};

TEST_P(RemovedSoundFile, TheNextLoadIsReportedAndEndsTheProgram) {
    const RemovedFile& c = GetParam();
    fake.audio.unloadable = {c.file};
    int status = -1;
    if (c.byWireKey) {
        status = key(keys::letter('A'));
    } else {
        completeLevel();
        scriptLevelUp(kSetThree);
        status = tick();
    }
    EXPECT_EQ(status, 1) << "removed " << c.file << "\nlog:\n" << fake.log.dump();
    ASSERT_EQ(fake.runtime.errors.size(), 1U) << fake.log.dump();
    EXPECT_EQ(fake.runtime.errors[0], c.error);
    // Said by the voice as well, for a player who cannot read it.
    ASSERT_FALSE(fake.voice->spoken.empty());
    EXPECT_EQ(fake.voice->spoken.back(), c.error);
    EXPECT_EQ(fake.log.entries.back(), "runtime.endProgram(1)");
}

INSTANTIATE_TEST_SUITE_P(
    WhileTheGameRuns, RemovedSoundFile,
    ::testing::Values(
        RemovedFile{"LevelUpCue", "LevelUp.wav", false,
                    "Error in the game's tick: cannot load sound file "
                    "/opt/earshot/sounds/LevelUp.wav: No such file or directory. The game ends."},
        RemovedFile{"LeftMusic", "left3.wav", false,
                    "Error in the game's tick: cannot load sound file "
                    "/opt/earshot/sounds/left3.wav: No such file or directory. The game ends."},
        RemovedFile{"RightMusic", "right3.wav", false,
                    "Error in the game's tick: cannot load sound file "
                    "/opt/earshot/sounds/right3.wav: No such file or directory. The game ends."},
        RemovedFile{"Wire", "wire.wav", true,
                    "Error in the key handler: cannot load sound file "
                    "/opt/earshot/sounds/wire.wav: No such file or directory. The game ends."}),
    [](const ::testing::TestParamInfo<RemovedFile>& scenario) { return scenario.param.name; });

TEST_F(SoundFilesChange, EveryLevelReadsItsFilesAgainAndLetsTheOldOnesGo) {
    const std::string oldLeft = buffer(Speaker::FrontLeft).name();
    for (int level = 0; level < 3; ++level) {
        completeLevel();
        scriptLevelUp(kSetThree);
        ASSERT_EQ(tick(), -1) << fake.runtime.errors.front();
    }
    // Three level ups, three fresh reads of each file of set 3 (two each,
    // one per speaker) and of the level-up cue: nothing is kept from the
    // last read, so a file replaced meanwhile is the one that plays.
    EXPECT_EQ(loadsOf("left3.wav").size(), 6U) << fake.log.dump();
    EXPECT_EQ(loadsOf("right3.wav").size(), 6U);
    EXPECT_EQ(loadsOf("LevelUp.wav").size(), 3U);
    EXPECT_NE(fake.log.find(oldLeft + ".released"), -1) << fake.log.dump();
    EXPECT_EQ(fakes::FakeSoundBuffer::live, 4);
}

TEST_F(SoundFilesChange, AFileTakenAwayAndPutBackLoadsAgain) {
    // Gone while a level of another set is played: no harm.
    fake.audio.unloadable = {"left3.wav"};
    completeLevel();
    scriptLevelUp(kSetTwo);
    ASSERT_EQ(tick(), -1) << fake.runtime.errors.front();
    EXPECT_EQ(form.MusicSet, 2.0F);
    // Back before the level that needs it: it loads.
    fake.audio.unloadable.clear();
    completeLevel();
    scriptLevelUp(kSetThree);
    ASSERT_EQ(tick(), -1) << fake.runtime.errors.front();
    EXPECT_EQ(form.MusicSet, 3.0F);
    EXPECT_EQ(buffer(Speaker::RearLeft).path(), "/opt/earshot/sounds/left3.wav");
    EXPECT_TRUE(buffer(Speaker::RearLeft).looping);
    EXPECT_TRUE(fake.runtime.errors.empty());
}

}  // namespace
}  // namespace earshot::testing
