// The fifteen sound files the build writes, read back through libsndfile and
// checked against what the game and its players need of them: the format
// the audio loader takes, lengths, headroom for six sounds at once, loops
// that wrap without a seam, one-shot cues that start and end silent, energy
// above 4 kHz for hearing direction, and left and right parts that sound
// different.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <ostream>
#include <string>

#include "spectrum.h"
#include "wav_reader.h"

namespace earshot::sound::test {
namespace {

const std::filesystem::path soundFolder = EARSHOT_SOUND_DIR;

struct SoundCase {
    const char* file;
    double minSeconds;
    double maxSeconds;
    bool looped;            // plays round and round; else a one-shot cue
    bool broadband;         // must carry energy above 4 kHz (music and wire)
    const char* otherPart;  // the other part of its music set; nullptr for the cues and the wire
};

std::ostream& operator<<(std::ostream& out, const SoundCase& c) { return out << c.file; }

constexpr int sampleRate = 44100;
constexpr double peakCeiling = 0.50118723362727228;  // -6 dBFS
constexpr double silentEdge = 0.001;                 // -60 dBFS
constexpr double minimumHighShare = 0.05;
constexpr double highEdgeHertz = 4000.0;
constexpr double maximumBandCorrelation = 0.95;

class SoundFileTest : public ::testing::TestWithParam<SoundCase> {
protected:
    void SetUp() override {
        path_ = soundFolder / GetParam().file;
        ASSERT_TRUE(std::filesystem::exists(path_)) << path_ << " is missing; the sound_set target writes it";
        sound_ = readSoundFile(path_);
        ASSERT_FALSE(sound_.samples.empty()) << path_ << " has no samples";
    }

    double seconds() const { return static_cast<double>(sound_.samples.size()) / sampleRate; }

    std::filesystem::path path_;
    SoundFile sound_;
};

TEST_P(SoundFileTest, IsMonoSixteenBitPcmAt44100Hz) {
    EXPECT_EQ(sound_.channels, 1) << path_;
    EXPECT_EQ(sound_.sampleRate, sampleRate) << path_;
    EXPECT_EQ(sound_.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV) << path_ << " format 0x" << std::hex << sound_.format;
    EXPECT_EQ(sound_.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_16) << path_ << " format 0x" << std::hex
                                                                   << sound_.format;
}

TEST_P(SoundFileTest, LastsWithinItsRange) {
    EXPECT_GE(seconds(), GetParam().minSeconds) << path_;
    EXPECT_LE(seconds(), GetParam().maxSeconds) << path_;
}

TEST_P(SoundFileTest, PeaksNoHigherThanMinusSixDbfs) {
    const auto loudest = std::max_element(sound_.samples.begin(), sound_.samples.end(),
                                          [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    const double peak = std::fabs(*loudest);
    EXPECT_LE(peak, peakCeiling) << path_ << " peaks at " << 20.0 * std::log10(peak) << " dBFS, sample "
                                 << (loudest - sound_.samples.begin());
}

TEST_P(SoundFileTest, JoinsWithoutAClick) {
    const std::vector<double>& x = sound_.samples;
    if (GetParam().looped) {
        // The wrap from the last sample to the first must be no bigger a step
        // than the biggest one the file itself takes in its last tenth of a second.
        const std::size_t tail = static_cast<std::size_t>(sampleRate / 10);
        ASSERT_GT(x.size(), tail + 1);
        double largestStep = 0.0;
        for (std::size_t i = x.size() - tail; i + 1 < x.size(); ++i) {
            largestStep = std::max(largestStep, std::fabs(x[i + 1] - x[i]));
        }
        const double wrapStep = std::fabs(x.front() - x.back());
        EXPECT_LE(wrapStep, largestStep) << path_ << ": last " << x.back() << ", first " << x.front()
                                         << ", largest step in the last 0.1 s " << largestStep;
    } else {
        EXPECT_LE(std::fabs(x.front()), silentEdge) << path_ << " starts at " << x.front();
        EXPECT_LE(std::fabs(x.back()), silentEdge) << path_ << " ends at " << x.back();
    }
}

TEST_P(SoundFileTest, CarriesEnergyAboveFourKilohertz) {
    if (!GetParam().broadband) {
        GTEST_SKIP() << GetParam().file << " is a cue heard from one fixed place; it need not be broadband";
    }
    const double share = shareAbove(sound_.samples, highEdgeHertz, sampleRate);
    EXPECT_GE(share, minimumHighShare) << path_ << ": " << 100.0 * share << " % of its energy lies above "
                                       << highEdgeHertz << " Hz";
}

TEST_P(SoundFileTest, SoundsUnlikeTheOtherPartOfItsSet) {
    if (GetParam().otherPart == nullptr) {
        GTEST_SKIP() << GetParam().file << " belongs to no music set";
    }
    const std::filesystem::path otherPath = soundFolder / GetParam().otherPart;
    ASSERT_TRUE(std::filesystem::exists(otherPath)) << otherPath << " is missing";
    const SoundFile other = readSoundFile(otherPath);
    // How the energy spreads over the octaves: a tune and a bass with drums
    // put it in different places; two near copies would correlate near 1.
    const double r = correlation(octaveBands(sound_.samples, sampleRate), octaveBands(other.samples, sampleRate));
    EXPECT_LT(r, maximumBandCorrelation) << path_ << " and " << otherPath
                                         << ": octave band energies correlate at " << r;
}

// clang-format off
const SoundCase soundCases[] = {
    // file            min   max   looped broadband other part
    {"left1.wav",      8.0, 20.0, true,  true,  "right1.wav"},
    {"right1.wav",     8.0, 20.0, true,  true,  "left1.wav"},
    {"left2.wav",      8.0, 20.0, true,  true,  "right2.wav"},
    {"right2.wav",     8.0, 20.0, true,  true,  "left2.wav"},
    {"left3.wav",      8.0, 20.0, true,  true,  "right3.wav"},
    {"right3.wav",     8.0, 20.0, true,  true,  "left3.wav"},
    {"left4.wav",      8.0, 20.0, true,  true,  "right4.wav"},
    {"right4.wav",     8.0, 20.0, true,  true,  "left4.wav"},
    {"left5.wav",      8.0, 20.0, true,  true,  "right5.wav"},
    {"right5.wav",     8.0, 20.0, true,  true,  "left5.wav"},
    {"left6.wav",      8.0, 20.0, true,  true,  "right6.wav"},
    {"right6.wav",     8.0, 20.0, true,  true,  "left6.wav"},
    {"tavlora.wav",    3.0,  6.0, false, false, nullptr},
    {"LevelUp.wav",    1.0,  3.0, false, false, nullptr},
    {"wire.wav",       1.0,  2.0, true,  true,  nullptr},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(SoundSet, SoundFileTest, ::testing::ValuesIn(soundCases),
                         [](const ::testing::TestParamInfo<SoundCase>& param) {
                             std::string name = param.param.file;
                             name.resize(name.find('.'));
                             return name;
                         });

}  // namespace
}  // namespace earshot::sound::test
