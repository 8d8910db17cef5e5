// Playing, stopping, the play cursor, the status and the volume of a sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "game/errors.h"
#include "loopback_fixture.h"
#include "wav_writer.h"

namespace earshot::test {
namespace {

constexpr int soundFrames = loopbackRate;  // one second
// The mixer's state is seen in steps of the test's render blocks plus
// the resampler's look-ahead.
constexpr int endSlack = 1024;

class PlaybackTest : public LoopbackTest {
protected:
    void SetUp() override {
        LoopbackTest::SetUp();
        path_ = writeWav("second.wav", WavFormat{}, [](int frame, int) { return noise(frame); });
        buffer_ = load(path_);
        buffer_->GetDirectSound3DBuffer()->SetPosition(0, 0, 1, DS3D_IMMEDIATE);
    }
    void TearDown() override {
        buffer_.reset();
        LoopbackTest::TearDown();
    }

    std::string path_;
    std::shared_ptr<DirectSoundSecondaryBuffer8> buffer_;
};

TEST_F(PlaybackTest, ANewSoundIsStopped) {
    EXPECT_EQ(buffer_->GetStatus(), 0);
    const Rendered block = render(2048);
    EXPECT_EQ(rmsBoth(block), 0.0);
}

TEST_F(PlaybackTest, PlayedOnceItIsPlayingExactlyUntilItsEnd) {
    buffer_->Play(DSBPLAY_DEFAULT);
    EXPECT_EQ(buffer_->GetStatus(), DSBSTATUS_PLAYING);
    const int heard = framesUntilEnd(*buffer_);
    EXPECT_GE(heard, soundFrames - 128);
    EXPECT_LE(heard, soundFrames + endSlack);
    EXPECT_NE(buffer_->GetStatus(), DSBSTATUS_PLAYING);
    const Rendered after = render(2048);
    EXPECT_LT(rmsBoth(after), 1e-6) << "still heard after its end";
}

TEST_F(PlaybackTest, LoopingGoesOnPastTheEnd) {
    buffer_->Play(DSBPLAY_LOOPING);
    EXPECT_EQ(buffer_->GetStatus(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    render(3 * soundFrames);
    EXPECT_EQ(buffer_->GetStatus(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_GT(rmsBoth(render(4096)), 0.01) << "silent after three rounds";
}

TEST_F(PlaybackTest, StopSilencesAtOnce) {
    buffer_->Play(DSBPLAY_LOOPING);
    render(4096);
    buffer_->Stop();
    EXPECT_EQ(buffer_->GetStatus(), 0);
    const Rendered block = render(1024);
    float loudest = 0.0F;
    for (std::size_t frame = 256; frame < block.left.size(); ++frame) {
        loudest = std::max({loudest, std::abs(block.left[frame]), std::abs(block.right[frame])});
    }
    EXPECT_LT(loudest, 1e-6F) << "heard after the first 256 frames past Stop";
}

TEST_F(PlaybackTest, PlayWhilePlayingDoesNotRestart) {
    buffer_->Play(DSBPLAY_DEFAULT);
    render(soundFrames / 2);
    buffer_->Play(DSBPLAY_DEFAULT);
    const int heard = framesUntilEnd(*buffer_);
    EXPECT_LE(heard, soundFrames / 2 + endSlack);
}

struct CursorCase {
    const char* name;
    int playedBeforeStop;     // frames heard, then Stop; 0: never played
    std::int32_t moveToByte;  // -1: the cursor is left alone
    int expectedRemaining;    // frames until the end
};

std::ostream& operator<<(std::ostream& out, const CursorCase& scenario) {
    return out << scenario.name;
}

class CursorTest : public PlaybackTest, public ::testing::WithParamInterface<CursorCase> {};

TEST_P(CursorTest, TheNextPlayStartsAtTheCursor) {
    const CursorCase& scenario = GetParam();
    if (scenario.playedBeforeStop > 0) {
        buffer_->Play(DSBPLAY_DEFAULT);
        render(scenario.playedBeforeStop);
        buffer_->Stop();
    }
    if (scenario.moveToByte >= 0) {
        buffer_->SetCurrentPosition(scenario.moveToByte);
    }
    const int heard = framesUntilEnd(*buffer_);
    EXPECT_GE(heard, scenario.expectedRemaining - 128);
    EXPECT_LE(heard, scenario.expectedRemaining + endSlack);
}

INSTANTIATE_TEST_SUITE_P(
    Cursor, CursorTest,
    ::testing::Values(CursorCase{"StopKeepsTheCursor", 22016, -1, soundFrames - 22016},
                      CursorCase{"ZeroRewindsAfterStop", 22016, 0, soundFrames},
                      CursorCase{"BytesCountTwoPerFrame", 0, 2 * 30000, soundFrames - 30000},
                      CursorCase{"MovedAfterStop", 11008, 2 * 33000, soundFrames - 33000},
                      CursorCase{"ReplayAfterTheEndStartsOver", soundFrames + 4096, -1,
                                 soundFrames}),
    NamedScenario{});

struct VolumeCase {
    std::int32_t hundredthsOfDb;
};

std::ostream& operator<<(std::ostream& out, const VolumeCase& scenario) {
    return out << scenario.hundredthsOfDb << " hundredths of a dB";
}

class VolumeTest : public LoopbackTest, public ::testing::WithParamInterface<VolumeCase> {};

TEST_P(VolumeTest, IsHundredthsOfADecibel) {
    // A loop of 4096 frames measured over whole rounds, so that both
    // measurements hear exactly the same samples.
    constexpr int loopFrames = 4096;
    auto buffer =
        load(writeWav("loop.wav", WavFormat{.frames = loopFrames}, [](int frame, int) { return noise(frame); }));
    buffer->GetDirectSound3DBuffer()->SetPosition(0, 0, 1, DS3D_IMMEDIATE);
    buffer->Play(DSBPLAY_LOOPING);
    render(2 * loopFrames);
    const double full = rmsBoth(render(4 * loopFrames));
    buffer->SetVolume(GetParam().hundredthsOfDb);
    render(2 * loopFrames);
    const double lowered = rmsBoth(render(4 * loopFrames));
    EXPECT_NEAR(decibels(lowered / full), GetParam().hundredthsOfDb / 100.0, 1.0)
        << "full " << full << ", lowered " << lowered;
}

INSTANTIATE_TEST_SUITE_P(Volume, VolumeTest,
                         ::testing::Values(VolumeCase{0}, VolumeCase{-600}, VolumeCase{-2000},
                                           VolumeCase{-4000}),
                         [](const auto& testInfo) {
                             return "Minus" + std::to_string(-testInfo.param.hundredthsOfDb);
                         });

}  // namespace
}  // namespace earshot::test
