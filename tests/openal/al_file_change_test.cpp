// A sound file that changes on disk while the game runs: every load reads
// the file as it is at that moment, a sound already loaded keeps what it
// read, and a file taken away or spoiled is refused with its name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "audio/openal/al_sound_buffer.h"
#include "game/errors.h"
#include "loopback_fixture.h"
#include "wav_writer.h"

namespace earshot::test {
namespace {

constexpr int tenthOfASecond = loopbackRate / 10;
// framesUntilEnd renders in blocks of 128 frames.
constexpr int blockSlack = 256;

class FileChangeTest : public LoopbackTest {
protected:
    // Plays the sound once in front of the listener; gives its level while
    // it sounds and how many frames it lasted.
    std::pair<double, int> playOnce(DirectSoundSecondaryBuffer8& buffer) {
        buffer.GetDirectSound3DBuffer()->SetPosition(0, 0, 1, DS3D_IMMEDIATE);
        buffer.SetCurrentPosition(0);
        buffer.Play(DSBPLAY_DEFAULT);
        const double level = rmsBoth(render(1024));
        const int frames = 1024 + framesUntilEnd(buffer);
        return {level, frames};
    }

    std::string message(const std::string& path) {
        try {
            load(path);
        } catch (const AudioError& error) {
            return error.what();
        }
        ADD_FAILURE() << path << " loaded";
        return "";
    }
};

TEST_F(FileChangeTest, AFileReplacedBetweenTwoLoadsIsReadAnew) {
    const std::string path =
        writeWav("left1.wav", WavFormat{.frames = tenthOfASecond}, [](int frame, int) {
            return noise(frame);
        });
    auto before = load(path);
    // The same name, now three times as long and silent.
    ASSERT_EQ(writeWav("left1.wav", WavFormat{.frames = 3 * tenthOfASecond},
                       [](int, int) { return 0.0; }),
              path);
    auto after = load(path);

    const auto [oldLevel, oldFrames] = playOnce(*before);
    const auto [newLevel, newFrames] = playOnce(*after);
    EXPECT_NEAR(oldFrames, tenthOfASecond, blockSlack) << "the sound loaded first changed";
    EXPECT_GT(oldLevel, 0.01);
    EXPECT_NEAR(newFrames, 3 * tenthOfASecond, blockSlack) << "the new file was not read";
    EXPECT_LT(newLevel, 1e-6);
}

// Each sound keeps its samples for a rebuild after a loss of the output;
// the two speakers that play the same file keep them once, and a file that
// changed in between is not taken for the one kept.
TEST_F(FileChangeTest, TheSameSamplesAreKeptOnceAndChangedOnesApart) {
    const auto samplesOf = [](const DirectSoundSecondaryBuffer8& buffer) {
        return &dynamic_cast<const AlSoundBuffer&>(buffer).sound().samples();
    };
    const std::string path =
        writeWav("left3.wav", WavFormat{.frames = tenthOfASecond}, [](int frame, int) {
            return noise(frame);
        });
    auto frontLeft = load(path);
    auto rearLeft = load(path);
    EXPECT_EQ(samplesOf(*frontLeft), samplesOf(*rearLeft));
    writeWav("left3.wav", WavFormat{.frames = tenthOfASecond}, [](int frame, int) {
        return noise(frame + 1);
    });
    auto changed = load(path);
    EXPECT_NE(samplesOf(*changed), samplesOf(*frontLeft));
    EXPECT_NE(samplesOf(*changed)->pcm16, samplesOf(*frontLeft)->pcm16);
}

TEST_F(FileChangeTest, AFileTakenAwayIsRefusedByNameAndLoadedSoundsPlayOn) {
    const std::string path =
        writeWav("right2.wav", WavFormat{.frames = tenthOfASecond}, [](int frame, int) {
            return noise(frame);
        });
    auto loaded = load(path);
    ASSERT_TRUE(std::filesystem::remove(path));

    const std::string refused = message(path);
    EXPECT_NE(refused.find(path), std::string::npos) << refused;
    EXPECT_NE(refused.find("no such file"), std::string::npos) << refused;
    const auto [level, frames] = playOnce(*loaded);
    EXPECT_GT(level, 0.01);
    EXPECT_NEAR(frames, tenthOfASecond, blockSlack);
}

TEST_F(FileChangeTest, AFileSpoiledBetweenTwoLoadsIsRefusedByName) {
    const std::string path =
        writeWav("LevelUp.wav", WavFormat{.frames = tenthOfASecond}, [](int frame, int) {
            return noise(frame);
        });
    load(path);
    // Cut off inside its header, as an interrupted copy leaves it.
    std::filesystem::resize_file(path, 30);
    const std::string refused = message(path);
    EXPECT_NE(refused.find("cannot load sound file " + path), std::string::npos) << refused;
}

}  // namespace
}  // namespace earshot::test
