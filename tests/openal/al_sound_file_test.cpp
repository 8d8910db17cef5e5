// Loading sounds: every WAV format libsndfile reads is mixed down to mono
// at its own rate; a bad file is refused with its name and the reason.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>

#include "game/errors.h"
#include "loopback_fixture.h"
#include "scratch.h"
#include "wav_writer.h"

namespace earshot::test {
namespace {

constexpr double toneHertz = 220.0;

struct FormatCase {
    const char* name;
    int subtype;
    int sampleRate;
    int channels;
};

std::ostream& operator<<(std::ostream& out, const FormatCase& scenario) {
    return out << scenario.name;
}

class FormatTest : public LoopbackTest, public ::testing::WithParamInterface<FormatCase> {
protected:
    // Plays a 0.5 s tone once in front; gives its level in the middle and
    // the frames it lasted.
    std::pair<double, int> playTone(const WavFormat& format, const std::string& name) {
        const int rate = format.sampleRate;
        auto buffer = load(writeWav(name, format, [rate](int frame, int) {
            return sine(frame, rate, toneHertz);
        }));
        buffer->GetDirectSound3DBuffer()->SetPosition(0, 0, 1, DS3D_IMMEDIATE);
        buffer->Play(DSBPLAY_DEFAULT);
        render(4096);
        const double level = rmsBoth(render(8192));
        return {level, 4096 + 8192 + framesUntilEnd(*buffer)};
    }
};

TEST_P(FormatTest, LoadsAtItsRateAndLevel) {
    const FormatCase& scenario = GetParam();
    const auto [reference, referenceFrames] =
        playTone(WavFormat{.frames = loopbackRate / 2}, "reference.wav");
    const WavFormat format{scenario.subtype, scenario.sampleRate, scenario.channels,
                       scenario.sampleRate / 2};
    const auto [level, frames] = playTone(format, std::string(scenario.name) + ".wav");
    EXPECT_NEAR(decibels(level / reference), 0.0, 0.5)
        << "reference " << reference << ", this format " << level;
    EXPECT_NEAR(frames, referenceFrames, 1024) << "half a second lasted " << frames << " frames";
}

INSTANTIATE_TEST_SUITE_P(
    Wav, FormatTest,
    ::testing::Values(FormatCase{"Unsigned8Bit8000Hz", SF_FORMAT_PCM_U8, 8000, 1},
                      FormatCase{"Pcm16Bit22050Hz", SF_FORMAT_PCM_16, 22050, 1},
                      FormatCase{"Pcm24Bit44100Hz", SF_FORMAT_PCM_24, 44100, 1},
                      FormatCase{"Pcm32Bit48000Hz", SF_FORMAT_PCM_32, 48000, 1},
                      FormatCase{"Float44100Hz", SF_FORMAT_FLOAT, 44100, 1},
                      FormatCase{"Double96000Hz", SF_FORMAT_DOUBLE, 96000, 1},
                      FormatCase{"StereoPcm16Bit", SF_FORMAT_PCM_16, 44100, 2},
                      FormatCase{"ThreeChannelFloat", SF_FORMAT_FLOAT, 32000, 3}),
    NamedScenario{});

TEST_F(LoopbackTest, StereoIsMixedDownToTheAverageOfItsChannels) {
    const auto tone = [](int frame, int) { return sine(frame, loopbackRate, toneHertz); };
    const auto leftOnly = [](int frame, int channel) {
        return channel == 0 ? sine(frame, loopbackRate, toneHertz) : 0.0;
    };
    const auto level = [this](const std::string& path) { return steadyLevel(*load(path)); };
    const double mono = level(writeWav("mono.wav", WavFormat{}, tone));
    const double half = level(writeWav("left-only.wav", WavFormat{.channels = 2}, leftOnly));
    EXPECT_NEAR(decibels(half / mono), -6.02, 0.2) << "mono " << mono << ", left only " << half;
}

// A valid 1000-frame, 16-bit mono file of 2044 bytes, cut or replaced.
struct BadFileCase {
    const char* name;
    std::function<void(const std::string& goodFile, const std::string& badFile)> make;
    const char* reason;
};

std::ostream& operator<<(std::ostream& out, const BadFileCase& scenario) {
    return out << scenario.name;
}

void cutTo(const std::string& good, const std::string& bad, std::uintmax_t size) {
    std::filesystem::copy_file(good, bad, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(bad, size);
}

class BadFileTest : public LoopbackTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFileTest, IsRefusedNamingTheFileAndTheReason) {
    const BadFileCase& scenario = GetParam();
    const std::string good = writeWav("good.wav", WavFormat{.frames = 1000},
                                      [](int frame, int) { return noise(frame); });
    const std::string bad = (scratchDir() / (std::string(scenario.name) + ".wav")).string();
    scenario.make(good, bad);
    try {
        load(bad);
        FAIL() << "loaded " << bad;
    } catch (const AudioError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("cannot load sound file " + bad + ": ", 0), 0U) << message;
        EXPECT_NE(message.find(scenario.reason), std::string::npos) << message;
    }
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    // The refused file left the service usable.
    auto buffer = load(good);
    buffer->Play(DSBPLAY_DEFAULT);
    EXPECT_EQ(buffer->GetStatus(), DSBSTATUS_PLAYING);
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, BadFileTest,
    ::testing::Values(
        BadFileCase{"Missing", [](const std::string&, const std::string&) {}, "no such file"},
        BadFileCase{"ZeroBytes", [](const std::string&, const std::string& bad) { writeText(bad, ""); },
                    "empty"},
        BadFileCase{"HeaderCutInTheFormat",
                    [](const std::string& good, const std::string& bad) { cutTo(good, bad, 30); },
                    "not a sound file"},
        BadFileCase{"HeaderCutBeforeTheFormat",
                    [](const std::string& good, const std::string& bad) { cutTo(good, bad, 12); },
                    "not a sound file"},
        BadFileCase{"DataCutShort",
                    [](const std::string& good, const std::string& bad) { cutTo(good, bad, 1044); },
                    "truncated"},
        BadFileCase{"HeaderWithoutSound",
                    [](const std::string& good, const std::string& bad) { cutTo(good, bad, 44); },
                    "truncated"},
        BadFileCase{"NoFrames",
                    [](const std::string&, const std::string& bad) {
                        std::filesystem::rename(
                            writeWav("no-frames.wav", WavFormat{.frames = 0}, [](int, int) { return 0.0; }),
                            bad);
                    },
                    "no sound"},
        BadFileCase{"TextFile",
                    [](const std::string&, const std::string& bad) {
                        writeText(bad, "These are not the sounds you are looking for.\n");
                    },
                    "not a sound file"},
        BadFileCase{"Folder",
                    [](const std::string&, const std::string& bad) {
                        std::filesystem::create_directory(bad);
                    },
                    "folder"}),
    NamedScenario{});

}  // namespace
}  // namespace earshot::test
