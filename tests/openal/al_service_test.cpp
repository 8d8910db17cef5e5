// The service as a whole: the loopback output with HRTF, the shared
// output, identity and lifetime of 3D controls, and calls that must fail.
#include <gtest/gtest.h>

#include <functional>
#include <vector>
#include <ostream>

#include "audio/openal/al_direct_sound.h"
#include "game/errors.h"
#include "loopback_fixture.h"
#include "wav_writer.h"

namespace earshot::test {
namespace {

TEST_F(LoopbackTest, HrtfIsEnabledOnTheLoopbackOutput) {
    EXPECT_TRUE(output_->hrtfEnabled()) << output_->hrtfStatusText();
    EXPECT_NE(output_->hrtfStatusText().find("enabled"), std::string::npos)
        << output_->hrtfStatusText();
    EXPECT_EQ(output_->sampleRate(), loopbackRate);
}

TEST_F(LoopbackTest, TheLoopbackIsTheProcessOutput) {
    EXPECT_EQ(AlOutput::shared(), output_);
    EXPECT_THROW(AlOutput::openLoopback(loopbackRate), AudioError);
}

TEST_F(LoopbackTest, ThePrimaryAndListenerAreTheSameEveryTime) {
    DSBUFFERDESC primary;
    primary.lFlags = primaryFlags;
    EXPECT_EQ(sound_->CreatePrimarySoundBuffer(primary)->GetDirectSound3DListener(), listener_);
}

TEST_F(LoopbackTest, AKeptControlOutlivesItsReleasedBuffer) {
    auto buffer = load(writeWav("short.wav", WavFormat{.frames = 4410},
                                [](int frame, int) { return noise(frame); }));
    const auto control = buffer->GetDirectSound3DBuffer();
    EXPECT_EQ(buffer->GetDirectSound3DBuffer(), control) << "a second control was made";
    buffer->Play(DSBPLAY_LOOPING);
    buffer->Stop();
    buffer.reset();
    control->SetPosition(3, 4, 5, DS3D_IMMEDIATE);
    control->SetMinDistance(1, DS3D_IMMEDIATE);
    control->SetMaxDistance(10, DS3D_IMMEDIATE);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    render(1024);
}

TEST_F(LoopbackTest, ASoundWithout3DControlHasNoControl) {
    auto buffer = load(writeWav("flat.wav", WavFormat{.frames = 4410},
                                [](int frame, int) { return noise(frame); }),
                       DSBCAPS_CTRLVOLUME);
    EXPECT_THROW(buffer->GetDirectSound3DBuffer(), AudioError);
    buffer->Play(DSBPLAY_DEFAULT);
    render(2048);
    const Rendered block = render(1024);
    EXPECT_NEAR(decibels(rms(block.right) / rms(block.left)), 0.0, 1.0)
        << "heard off centre, left " << rms(block.left) << ", right " << rms(block.right);
}

// The path the game takes: the default device, here OpenAL Soft's null
// output, shared by everyone who asks while anyone holds it.
TEST(DefaultOutputTest, IsOpenedOnceWithHrtfAndSharedWhileHeld) {
    auto sound = createOpenAlDirectSound("");
    auto output = AlOutput::shared();
    EXPECT_FALSE(output->isLoopback());
    EXPECT_TRUE(output->hrtfEnabled()) << output->hrtfStatusText();
    EXPECT_EQ(AlOutput::shared(), output);
    std::vector<float> frames(2 * 64);
    EXPECT_THROW(output->render(frames.data(), 64), AudioError);
    EXPECT_THROW(AlOutput::openLoopback(loopbackRate), AudioError)
        << "a second output was opened beside the shared one";
    const std::weak_ptr<AlOutput> released = output;
    sound.reset();
    output.reset();
    EXPECT_TRUE(released.expired()) << "the output outlived everyone who held it";
}

struct BadCallCase {
    const char* name;
    std::function<void(DirectSound8&, DirectSound3DListener8&, DirectSoundSecondaryBuffer8&)> call;
};

std::ostream& operator<<(std::ostream& out, const BadCallCase& scenario) {
    return out << scenario.name;
}

class BadCallTest : public LoopbackTest, public ::testing::WithParamInterface<BadCallCase> {};

TEST_P(BadCallTest, ThrowsAudioError) {
    auto buffer = load(writeWav("tenth.wav", WavFormat{.frames = 4410},
                                [](int frame, int) { return noise(frame); }));
    EXPECT_THROW(GetParam().call(*sound_, *listener_, *buffer), AudioError);
    EXPECT_EQ(alGetError(), AL_NO_ERROR) << "an OpenAL error was left pending";
}

INSTANTIATE_TEST_SUITE_P(
    Refused, BadCallTest,
    ::testing::Values(
        BadCallCase{"UnknownDevice",
                    [](auto&, auto&, auto&) { createOpenAlDirectSound("{no-such-device}"); }},
        BadCallCase{"PrimaryWithoutPrimaryFlag",
                    [](DirectSound8& sound, auto&, auto&) {
                        sound.CreatePrimarySoundBuffer(DSBUFFERDESC{soundFlags, ""});
                    }},
        BadCallCase{"FileAsPrimary",
                    [](DirectSound8& sound, auto&, auto&) {
                        sound.CreateSoundBufferFromFile("x.wav", DSBUFFERDESC{primaryFlags, ""});
                    }},
        BadCallCase{"VolumeAboveFull",
                    [](auto&, auto&, DirectSoundSecondaryBuffer8& buffer) { buffer.SetVolume(1); }},
        BadCallCase{"VolumeBelowSilence",
                    [](auto&, auto&, DirectSoundSecondaryBuffer8& buffer) {
                        buffer.SetVolume(-10001);
                    }},
        BadCallCase{"CursorPastTheEnd",
                    [](auto&, auto&, DirectSoundSecondaryBuffer8& buffer) {
                        buffer.SetCurrentPosition(2 * 4410);
                    }},
        BadCallCase{"NegativeCursor",
                    [](auto&, auto&, DirectSoundSecondaryBuffer8& buffer) {
                        buffer.SetCurrentPosition(-2);
                    }},
        BadCallCase{"NegativeMinDistance",
                    [](auto&, auto&, DirectSoundSecondaryBuffer8& buffer) {
                        buffer.GetDirectSound3DBuffer()->SetMinDistance(-1, DS3D_IMMEDIATE);
                    }},
        BadCallCase{"NegativeDopplerFactor",
                    [](auto&, DirectSound3DListener8& listener, auto&) {
                        listener.SetDopplerFactor(-1, DS3D_IMMEDIATE);
                    }},
        BadCallCase{"NegativeRolloffFactor",
                    [](auto&, DirectSound3DListener8& listener, auto&) {
                        listener.SetRolloffFactor(-1, DS3D_IMMEDIATE);
                    }}),
    NamedScenario{});

}  // namespace
}  // namespace earshot::test
