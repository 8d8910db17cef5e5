// A lost output: nothing waits for sound while it is lost, the player is
// told of the loss and of the return, and on the new device every live sound
// and the listener are as the game left them, made again from the adapter's
// own record.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "audio/openal/al_sound_buffer.h"
#include "audio/openal/output_notices.h"
#include "game/errors.h"
#include "loopback_fixture.h"
#include "wav_writer.h"

namespace earshot::test {
namespace {

using Clock = std::chrono::steady_clock;

class LostOutputTest : public LoopbackTest {
protected:
    void SetUp() override {
        LoopbackTest::SetUp();
        setOutputNoticeHook([this](const OutputNotice& notice) { notices.push_back(notice.kind); });
    }
    void TearDown() override {
        setOutputNoticeHook({});
        LoopbackTest::TearDown();
    }

    std::shared_ptr<DirectSoundSecondaryBuffer8> loadTone(const std::string& name, int frames) {
        return load(writeWav(name, WavFormat{.frames = frames},
                             [](int frame, int) { return sine(frame, 44100, 440.0); }));
    }

    // Looks at the output until it is back; false after three seconds.
    bool waitForReturn() {
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        while (output_->lost() && Clock::now() < deadline) {
            output_->poll();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return !output_->lost();
    }

    std::vector<OutputNoticeKind> notices;
};

ALuint sourceOf(const DirectSoundSecondaryBuffer8& buffer) {
    return dynamic_cast<const AlSoundBuffer&>(buffer).sound().source();
}

struct SourceState {
    std::array<float, 3> position{};
    float referenceDistance = 0;
    float maxDistance = 0;
    float gain = 0;
    float rolloff = 0;
    ALint looping = 0;
    ALint state = 0;
};

SourceState readBack(ALuint source) {
    SourceState s;
    alGetSourcefv(source, AL_POSITION, s.position.data());
    alGetSourcef(source, AL_REFERENCE_DISTANCE, &s.referenceDistance);
    alGetSourcef(source, AL_MAX_DISTANCE, &s.maxDistance);
    alGetSourcef(source, AL_GAIN, &s.gain);
    alGetSourcef(source, AL_ROLLOFF_FACTOR, &s.rolloff);
    alGetSourcei(source, AL_LOOPING, &s.looping);
    alGetSourcei(source, AL_SOURCE_STATE, &s.state);
    return s;
}

void expectSame(const SourceState& before, const SourceState& after, const char* which) {
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_FLOAT_EQ(after.position[axis], before.position[axis]) << which << ", axis " << axis;
    }
    EXPECT_FLOAT_EQ(after.referenceDistance, before.referenceDistance) << which;
    EXPECT_FLOAT_EQ(after.maxDistance, before.maxDistance) << which;
    EXPECT_FLOAT_EQ(after.gain, before.gain) << which;
    EXPECT_FLOAT_EQ(after.rolloff, before.rolloff) << which;
    EXPECT_EQ(after.looping, before.looping) << which;
    EXPECT_EQ(after.state == AL_PLAYING, before.state == AL_PLAYING) << which;
}

TEST_F(LostOutputTest, EveryLiveSoundAndTheListenerComeBackAsTheGameLeftThem) {
    listener_->SetOrientation(0, 0, 1, 0, 1, 0, DS3D_IMMEDIATE);
    listener_->SetPosition(0, 4, 0, DS3D_IMMEDIATE);
    listener_->SetDopplerFactor(0, DS3D_IMMEDIATE);
    listener_->SetRolloffFactor(0.5F, DS3D_IMMEDIATE);

    // A playing speaker, a muted one, one stopped by the game, one never
    // played.
    auto playing = loadTone("playing.wav", 44100);
    playing->GetDirectSound3DBuffer()->SetPosition(-3, 4, 2, DS3D_IMMEDIATE);
    playing->GetDirectSound3DBuffer()->SetMinDistance(1, DS3D_IMMEDIATE);
    playing->GetDirectSound3DBuffer()->SetMaxDistance(10, DS3D_IMMEDIATE);
    playing->Play(DSBPLAY_LOOPING);
    auto muted = loadTone("muted.wav", 44100);
    muted->GetDirectSound3DBuffer()->SetPosition(2, 4, -1, DS3D_IMMEDIATE);
    muted->SetVolume(-4000);
    muted->Play(DSBPLAY_LOOPING);
    auto stopped = loadTone("stopped.wav", 44100);
    stopped->Play(DSBPLAY_LOOPING);
    stopped->Stop();
    auto idle = loadTone("idle.wav", 44100);
    render(1024);

    const std::vector<std::pair<const char*, DirectSoundSecondaryBuffer8*>> sounds{
        {"playing", playing.get()}, {"muted", muted.get()}, {"stopped", stopped.get()}, {"idle", idle.get()}};
    std::vector<SourceState> before;
    std::vector<std::int32_t> statusBefore;
    for (const auto& [name, buffer] : sounds) {
        before.push_back(readBack(sourceOf(*buffer)));
        statusBefore.push_back(buffer->GetStatus());
    }

    output_->declareLost("a test took it away");
    ASSERT_TRUE(output_->lost());
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        EXPECT_EQ(sourceOf(*sounds[i].second), 0U) << sounds[i].first << " kept a source";
        EXPECT_EQ(sounds[i].second->GetStatus(), statusBefore[i]) << sounds[i].first << " while lost";
    }
    ASSERT_TRUE(waitForReturn()) << "the output did not come back within 3 s";
    EXPECT_EQ(notices, (std::vector{OutputNoticeKind::Lost, OutputNoticeKind::Back}));
    EXPECT_EQ(output_->returns(), 1);

    for (std::size_t i = 0; i < sounds.size(); ++i) {
        const ALuint source = sourceOf(*sounds[i].second);
        ASSERT_NE(source, 0U) << sounds[i].first << " was not made again";
        expectSame(before[i], readBack(source), sounds[i].first);
        EXPECT_EQ(sounds[i].second->GetStatus(), statusBefore[i]) << sounds[i].first;
    }
    std::array<float, 6> orientation{};
    std::array<float, 3> position{};
    alGetListenerfv(AL_ORIENTATION, orientation.data());
    alGetListenerfv(AL_POSITION, position.data());
    EXPECT_EQ(orientation, (std::array<float, 6>{0, 0, -1, 0, 1, 0}));
    EXPECT_EQ(position, (std::array<float, 3>{0, 4, 0}));
    EXPECT_FLOAT_EQ(alGetFloat(AL_DOPPLER_FACTOR), 0.0F);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);

    // And they sound: the muted speaker 40 dB below the same sound in full.
    playing->Stop();
    const double full = steadyLevel(*stopped);
    const double quiet = steadyLevel(*muted);
    EXPECT_NEAR(decibels(quiet / full), -40.0, 1.0) << "full " << full << ", muted " << quiet;
}

TEST_F(LostOutputTest, WhileLostNothingWaitsAndEveryCallStillWorks) {
    auto cue = loadTone("cue.wav", 44100 * 5);
    output_->declareLost("a test took it away");

    // A cue played once is over at once: a cue's wait ends.
    cue->SetCurrentPosition(0);
    cue->GetDirectSound3DBuffer()->SetPosition(0, 5, 0, DS3D_IMMEDIATE);
    cue->Play(DSBPLAY_DEFAULT);
    EXPECT_EQ(cue->GetStatus(), 0);
    // A sound loaded meanwhile, a looping one, and every other call.
    auto wire = loadTone("wire.wav", 4410);
    wire->Play(DSBPLAY_LOOPING);
    EXPECT_EQ(wire->GetStatus(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    wire->GetDirectSound3DBuffer()->SetPosition(1, 4, 1, DS3D_IMMEDIATE);
    wire->SetVolume(-4000);
    listener_->SetPosition(0, 4, 0, DS3D_IMMEDIATE);
    listener_->SetRolloffFactor(1, DS3D_IMMEDIATE);
    const Rendered silence = render(512);
    EXPECT_EQ(rmsBoth(silence), 0.0);
    // Calls that are refused on a device are refused while lost as well.
    EXPECT_THROW(wire->SetVolume(1), AudioError);
    EXPECT_THROW(wire->GetDirectSound3DBuffer()->SetMinDistance(-1, DS3D_IMMEDIATE), AudioError);
    EXPECT_THROW(listener_->SetDopplerFactor(-1, DS3D_IMMEDIATE), AudioError);

    ASSERT_TRUE(waitForReturn());
    EXPECT_EQ(cue->GetStatus(), 0) << "a cue heard as over came back playing";
    EXPECT_EQ(wire->GetStatus(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    const SourceState wireState = readBack(sourceOf(*wire));
    EXPECT_FLOAT_EQ(wireState.gain, 0.01F);
    EXPECT_FLOAT_EQ(wireState.position[2], -1.0F) << "the scene's +z is OpenAL's -z";
    EXPECT_GT(rmsBoth(render(4096)), 0.0) << "the looping sound is not heard on the new device";
}

TEST_F(LostOutputTest, ALossWhileLostIsToldOnce) {
    output_->declareLost("first");
    output_->declareLost("second");
    EXPECT_EQ(notices, (std::vector{OutputNoticeKind::Lost}));
    ASSERT_TRUE(waitForReturn());
}

}  // namespace
}  // namespace earshot::test
