// A fixture that opens OpenAL Soft's loopback output with HRTF, builds the
// 3D audio service on it the way the game does, and renders offline.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/direct_sound.h"
#include "audio/openal/al_output.h"

namespace earshot::test {

inline constexpr int loopbackRate = 44100;
inline constexpr std::int32_t soundFlags = 0xB0;  // 3D, frequency, volume
inline constexpr std::int32_t primaryFlags = 0x11;

struct Rendered {
    std::vector<float> left;
    std::vector<float> right;
};

// Names each case of a table after its scenario's `name`.
struct NamedScenario {
    template <typename Scenario>
    std::string operator()(const ::testing::TestParamInfo<Scenario>& testInfo) const {
        return testInfo.param.name;
    }
};

double rms(const std::vector<float>& samples);
double rmsBoth(const Rendered& block);
double decibels(double ratio);

class LoopbackTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::shared_ptr<DirectSoundSecondaryBuffer8> load(const std::string& path,
                                                      std::int32_t flags = soundFlags);
    Rendered render(int frames);
    // Plays the buffer once from where its cursor is and renders in small
    // blocks until its status leaves DSBSTATUS_PLAYING; gives the frames
    // rendered meanwhile (at most `limit`).
    int framesUntilEnd(DirectSoundSecondaryBuffer8& buffer, int limit = 10 * loopbackRate);
    // The level of a sound played looping one unit in front of the
    // listener, once it has settled; the sound is stopped afterwards.
    double steadyLevel(DirectSoundSecondaryBuffer8& buffer);

    std::shared_ptr<AlOutput> output_;
    std::shared_ptr<DirectSound8> sound_;
    std::shared_ptr<DirectSound3DListener8> listener_;
};

}  // namespace earshot::test
