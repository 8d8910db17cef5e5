// The audio service as the game uses it, one set of cases run against the
// fake the game's tests play on and against the OpenAL service on the
// loopback output: what each operation the game calls leads to, as far as
// the service lets it be seen. A case that passes on one and fails on the
// other is a fake that has drifted from the real service.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "audio/openal/al_direct_sound.h"
#include "audio/openal/al_output.h"
#include "audio/openal/al_sound_buffer.h"
#include "game/errors.h"
#include "loopback_fixture.h"
#include "scratch.h"
#include "tests/fakes/call_log.h"
#include "tests/fakes/fake_audio.h"
#include "wav_writer.h"

namespace earshot::test {
namespace {

// A fifth of a second of sound.
constexpr int soundFrames = 8820;

DSBUFFERDESC descriptionOf(std::int32_t flags) {
    DSBUFFERDESC desc;
    desc.lFlags = flags;
    desc.guid3DAlgorithm = DS3DALG_HRTF_FULL;
    return desc;
}

// Each service's way to let time pass and to show what a sound holds.
class FakeService {
public:
    static constexpr const char* name = "Fake";

    FakeService() : device_(std::make_shared<fakes::FakeDirectSound>(log_, script_)) {}
    DirectSound8& device() { return *device_; }
    std::string missingFile() {
        script_.unloadable.insert("missing.wav");
        return (scratchDir() / "missing.wav").string();
    }
    // The fake's time is counted in status reads.
    void letTimePass(DirectSoundSecondaryBuffer8& buffer) {
        for (int read = 0; read <= script_.playingReads; ++read) {
            static_cast<void>(buffer.GetStatus());
        }
    }
    static D3DVECTOR position(DirectSound3DBuffer8& control) { return fake(control).position; }
    static float minDistance(DirectSound3DBuffer8& control) { return fake(control).minDistance; }
    static float maxDistance(DirectSound3DBuffer8& control) { return fake(control).maxDistance; }
    static std::int32_t volume(DirectSoundSecondaryBuffer8& buffer) {
        return dynamic_cast<fakes::FakeSoundBuffer&>(buffer).volume;
    }

private:
    static fakes::FakeSound3D& fake(DirectSound3DBuffer8& control) {
        return dynamic_cast<fakes::FakeSound3D&>(control);
    }

    fakes::CallLog log_;
    fakes::AudioScript script_;
    std::shared_ptr<DirectSound8> device_;
};

class OpenAlService {
public:
    static constexpr const char* name = "OpenAl";

    OpenAlService()
        : output_(AlOutput::openLoopback(loopbackRate)), device_(createOpenAlDirectSound("")) {}
    DirectSound8& device() { return *device_; }
    static std::string missingFile() { return (scratchDir() / "missing.wav").string(); }
    void letTimePass(DirectSoundSecondaryBuffer8& /*buffer*/) {
        std::vector<float> frames(2 * loopbackRate / 2);
        output_->render(frames.data(), loopbackRate / 2);
    }
    // The control's source, read back from OpenAL in the scene's frame.
    static D3DVECTOR position(DirectSound3DBuffer8& control) {
        std::array<float, 3> p{};
        alGetSourcefv(sourceOf(control), AL_POSITION, p.data());
        return D3DVECTOR{p[0], p[1], -p[2]};
    }
    static float minDistance(DirectSound3DBuffer8& control) {
        return sourceFloat(sourceOf(control), AL_REFERENCE_DISTANCE);
    }
    static float maxDistance(DirectSound3DBuffer8& control) {
        return sourceFloat(sourceOf(control), AL_MAX_DISTANCE);
    }
    static std::int32_t volume(DirectSoundSecondaryBuffer8& buffer) {
        const float gain = sourceFloat(dynamic_cast<AlSoundBuffer&>(buffer).sound().source(), AL_GAIN);
        return static_cast<std::int32_t>(std::lround(2000.0 * std::log10(gain)));
    }

private:
    // A control is found through the one buffer the case keeps loaded.
    static ALuint sourceOf(DirectSound3DBuffer8& control);
    static float sourceFloat(ALuint source, ALenum parameter) {
        float value = 0;
        alGetSourcef(source, parameter, &value);
        return value;
    }

    std::shared_ptr<AlOutput> output_;
    std::shared_ptr<DirectSound8> device_;

public:
    // Set by the fixture: the buffer whose control the case looks at.
    static inline DirectSoundSecondaryBuffer8* current = nullptr;
};

ALuint OpenAlService::sourceOf(DirectSound3DBuffer8& control) {
    auto& buffer = dynamic_cast<AlSoundBuffer&>(*current);
    EXPECT_EQ(buffer.GetDirectSound3DBuffer().get(), &control);
    return buffer.sound().source();
}

template <typename Service>
class AudioContractTest : public ::testing::Test {
protected:
    std::shared_ptr<DirectSoundSecondaryBuffer8> load(std::int32_t flags = soundFlags) {
        const std::string path = writeWav("contract.wav", WavFormat{.frames = soundFrames},
                                          [](int frame, int) { return noise(frame); });
        auto buffer = service.device().CreateSoundBufferFromFile(path, descriptionOf(flags));
        OpenAlService::current = buffer.get();
        return buffer;
    }
    std::shared_ptr<DirectSound3DListener8> listener() {
        return service.device().CreatePrimarySoundBuffer(descriptionOf(primaryFlags))->GetDirectSound3DListener();
    }

    Service service;
};

struct ServiceNames {
    template <typename Service>
    static std::string GetName(int) {
        return Service::name;
    }
};

using Services = ::testing::Types<FakeService, OpenAlService>;
TYPED_TEST_SUITE(AudioContractTest, Services, ServiceNames);

TYPED_TEST(AudioContractTest, ALoadedSoundIsStoppedWithOneControlAtTheServiceDefaults) {
    auto buffer = this->load();
    EXPECT_EQ(buffer->GetStatus(), 0);
    const auto control = buffer->GetDirectSound3DBuffer();
    EXPECT_EQ(buffer->GetDirectSound3DBuffer(), control) << "a second control was made";
    const D3DVECTOR at = TypeParam::position(*control);
    EXPECT_EQ(at.x, 0.0F);
    EXPECT_EQ(at.y, 0.0F);
    EXPECT_EQ(at.z, 0.0F);
    EXPECT_FLOAT_EQ(TypeParam::minDistance(*control), 1.0F);
    EXPECT_FLOAT_EQ(TypeParam::maxDistance(*control), 1e9F);
    EXPECT_EQ(TypeParam::volume(*buffer), 0);
}

TYPED_TEST(AudioContractTest, ASoundWithout3DControlHasNoControl) {
    auto buffer = this->load(DSBCAPS_CTRLVOLUME);
    EXPECT_THROW(buffer->GetDirectSound3DBuffer(), AudioError);
}

TYPED_TEST(AudioContractTest, AMissingFileIsRefused) {
    EXPECT_THROW(this->service.device().CreateSoundBufferFromFile(this->service.missingFile(),
                                                                   descriptionOf(soundFlags)),
                 AudioError);
}

TYPED_TEST(AudioContractTest, APrimaryDescriptionMakesNoSoundAndASoundDescriptionNoPrimary) {
    const std::string path = writeWav("contract.wav", WavFormat{.frames = soundFrames},
                                      [](int frame, int) { return noise(frame); });
    EXPECT_THROW(this->service.device().CreateSoundBufferFromFile(path, descriptionOf(primaryFlags)),
                 AudioError);
    EXPECT_THROW(this->service.device().CreatePrimarySoundBuffer(descriptionOf(soundFlags)), AudioError);
}

TYPED_TEST(AudioContractTest, PlayedOnceItReadsExactlyPlayingUntilItHasEnded) {
    auto buffer = this->load();
    buffer->SetCurrentPosition(0);
    buffer->Play(DSBPLAY_DEFAULT);
    EXPECT_EQ(buffer->GetStatus(), DSBSTATUS_PLAYING);
    this->service.letTimePass(*buffer);
    EXPECT_EQ(buffer->GetStatus(), 0);
}

TYPED_TEST(AudioContractTest, PlayedLoopingItPlaysUntilStoppedAndPlaysAgain) {
    auto buffer = this->load();
    buffer->Play(DSBPLAY_LOOPING);
    EXPECT_EQ(buffer->GetStatus(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    this->service.letTimePass(*buffer);
    EXPECT_EQ(buffer->GetStatus(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    buffer->Stop();
    EXPECT_EQ(buffer->GetStatus(), 0);
    buffer->SetCurrentPosition(0);
    buffer->Play(DSBPLAY_LOOPING);
    EXPECT_EQ(buffer->GetStatus(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    buffer->Stop();
}

TYPED_TEST(AudioContractTest, TheControlHoldsWhatWasSet) {
    auto buffer = this->load();
    const auto control = buffer->GetDirectSound3DBuffer();
    control->SetPosition(-2.5F, 4.0F, 3.25F, DS3D_IMMEDIATE);
    control->SetMinDistance(1.0F, DS3D_IMMEDIATE);
    control->SetMaxDistance(10.0F, DS3D_IMMEDIATE);
    const D3DVECTOR at = TypeParam::position(*control);
    EXPECT_EQ(at.x, -2.5F);
    EXPECT_EQ(at.y, 4.0F);
    EXPECT_EQ(at.z, 3.25F);
    EXPECT_EQ(TypeParam::minDistance(*control), 1.0F);
    EXPECT_EQ(TypeParam::maxDistance(*control), 10.0F);
    EXPECT_THROW(control->SetMinDistance(-1.0F, DS3D_IMMEDIATE), AudioError);
    EXPECT_THROW(control->SetMaxDistance(-1.0F, DS3D_IMMEDIATE), AudioError);
}

TYPED_TEST(AudioContractTest, TheVolumeIsFullOrDownAndNothingElse) {
    auto buffer = this->load();
    for (const std::int32_t volume : {-4000, 0, -10000}) {
        buffer->SetVolume(volume);
        EXPECT_EQ(TypeParam::volume(*buffer), volume);
    }
    EXPECT_THROW(buffer->SetVolume(1), AudioError);
    EXPECT_THROW(buffer->SetVolume(-10001), AudioError);
}

TYPED_TEST(AudioContractTest, TheCursorGoesToTheStartAndNowhereBeforeIt) {
    auto buffer = this->load();
    EXPECT_NO_THROW(buffer->SetCurrentPosition(0));
    EXPECT_THROW(buffer->SetCurrentPosition(-2), AudioError);
}

TYPED_TEST(AudioContractTest, TheListenerTakesThePoseAndFactorsOfTheGameAndNoNegativeFactor) {
    const auto listener = this->listener();
    EXPECT_EQ(this->listener(), listener) << "there is one listener";
    EXPECT_NO_THROW(listener->SetOrientation(0, 0, 1, 0, 1, 0, DS3D_IMMEDIATE));
    EXPECT_NO_THROW(listener->SetPosition(0, 4, 0, DS3D_IMMEDIATE));
    EXPECT_NO_THROW(listener->SetDopplerFactor(0, DS3D_IMMEDIATE));
    EXPECT_NO_THROW(listener->SetRolloffFactor(1, DS3D_IMMEDIATE));
    EXPECT_THROW(listener->SetDopplerFactor(-1, DS3D_IMMEDIATE), AudioError);
    EXPECT_THROW(listener->SetRolloffFactor(-1, DS3D_IMMEDIATE), AudioError);
}

}  // namespace
}  // namespace earshot::test
