// The sample values of a float file: a sample that is not a number would
// make the whole mix not a number (every sound and the voice with it), so
// such a file is refused as damaged; samples beyond full scale are held at
// full scale.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "game/errors.h"
#include "loopback_fixture.h"
#include "wav_writer.h"

namespace earshot::test {
namespace {

struct DamagedSample {
    const char* name;
    int subtype;
    double value;  // written at frame 100 of a quiet tone
};

std::ostream& operator<<(std::ostream& out, const DamagedSample& scenario) {
    return out << scenario.name << " (" << scenario.value << ")";
}

class DamagedSampleTest : public LoopbackTest,
                          public ::testing::WithParamInterface<DamagedSample> {};

TEST_P(DamagedSampleTest, IsRefusedNamingTheFile) {
    const DamagedSample& scenario = GetParam();
    const double value = scenario.value;
    const std::string path = writeWav(std::string(scenario.name) + ".wav",
                                      WavFormat{.subtype = scenario.subtype, .frames = 1000},
                                      [value](int frame, int) {
                                          return frame == 100 ? value : 0.1 * noise(frame);
                                      });
    try {
        load(path);
        FAIL() << "loaded " << path << " with a sample of " << value;
    } catch (const AudioError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("cannot load sound file " + path + ": ", 0), 0U) << message;
        EXPECT_NE(message.find("not numbers"), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    FloatFile, DamagedSampleTest,
    ::testing::Values(
        DamagedSample{"NotANumber", SF_FORMAT_FLOAT, std::numeric_limits<double>::quiet_NaN()},
        DamagedSample{"Infinite", SF_FORMAT_FLOAT, std::numeric_limits<double>::infinity()},
        DamagedSample{"MinusInfinite", SF_FORMAT_FLOAT, -std::numeric_limits<double>::infinity()},
        DamagedSample{"DoubleNotANumber", SF_FORMAT_DOUBLE,
                      std::numeric_limits<double>::quiet_NaN()}),
    NamedScenario{});

TEST_F(LoopbackTest, FloatSamplesBeyondFullScaleAreHeldAtFullScale) {
    const auto level = [this](const std::string& path) { return steadyLevel(*load(path)); };
    const WavFormat format{.subtype = SF_FORMAT_FLOAT};
    const double fullScale = level(writeWav("full-scale.wav", format, [](int frame, int) {
        return 2.0 * sine(frame, loopbackRate, 220.0);  // amplitude 1
    }));
    const double overdriven = level(writeWav("overdriven.wav", format, [](int frame, int) {
        return 1e6 * sine(frame, loopbackRate, 220.0);
    }));
    // Held at full scale the sine becomes almost a square wave: 3 dB above
    // the sine, a little more after the HRTF has lifted its overtones, and
    // never the 120 dB it was written with.
    const double gain = decibels(overdriven / fullScale);
    EXPECT_GT(gain, 2.5) << "full scale " << fullScale << ", overdriven " << overdriven;
    EXPECT_LT(gain, 5.0) << "full scale " << fullScale << ", overdriven " << overdriven;
}

}  // namespace
}  // namespace earshot::test
