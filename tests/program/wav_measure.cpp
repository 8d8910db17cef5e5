// Reads the WAV file that OpenAL Soft's wave output writes while the game
// runs and prints its levels, so that the program tests can hear what a
// player would. The wave output fills in the chunk sizes only when the
// device is closed, and the game ends without closing it, so the sizes are
// ignored: the sound data runs from the data chunk to the end of the file,
// in whole frames. It reads 16-bit and 32-bit integer PCM and 32-bit float,
// plain or in the extensible format, with any number of channels.
//
//   earshot_wav_measure FILE info
//       rate, channels, sample format, data offset, frames, seconds
//   earshot_wav_measure FILE windows MS [FROM_S [TO_S]]
//       one line per window of MS milliseconds: its start in seconds, then
//       the RMS level of each channel in dB below full scale
//   earshot_wav_measure FILE span FROM_S TO_S
//       the RMS level of each channel over that stretch
//   earshot_wav_measure FILE bytes FROM TO
//       the same for the frames that lie between two file offsets (the
//       file's size at two moments of the test), preceded by their times
//   earshot_wav_measure FILE match REFERENCE FROM_S TO_S
//       where the sound of the file REFERENCE (a cue the game plays) starts
//       in FILE, searched between FROM_S and TO_S: the start in seconds and
//       how well the two loudness curves (10 ms steps) agree there, as a
//       correlation from -1 to 1; the place in 3D and the other sounds of
//       the mix change the waveform, but not the shape of its loudness
//
// A channel that is digitally silent is printed as -200 dB.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

enum class SampleFormat { Int16, Int32, Float32 };

struct Wave {
    int rate = 0;
    int channels = 0;
    SampleFormat format = SampleFormat::Int16;
    std::size_t dataOffset = 0;
    std::vector<std::vector<float>> samples;  // per channel

    std::size_t frames() const { return samples.empty() ? 0 : samples.front().size(); }
    int bytesPerSample() const { return format == SampleFormat::Int16 ? 2 : 4; }
};

std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8U |
           static_cast<std::uint32_t>(p[2]) << 16U | static_cast<std::uint32_t>(p[3]) << 24U;
}

std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8U);
}

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

Wave readWave(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail("cannot open " + path);
    }
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        fail(path + " is not a WAV file");
    }
    Wave wave;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const unsigned char* chunk = bytes.data() + at;
        const std::uint32_t size = le32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || at + 8 + size > bytes.size()) {
                fail(path + ": the format chunk is cut short");
            }
            const unsigned char* f = chunk + 8;
            std::uint16_t tag = le16(f);
            wave.channels = le16(f + 2);
            wave.rate = static_cast<int>(le32(f + 4));
            const int bits = le16(f + 14);
            if (tag == 0xFFFE && size >= 40) {
                tag = le16(f + 24);  // the sub-format's first two bytes
            }
            if (tag == 1 && bits == 16) {
                wave.format = SampleFormat::Int16;
            } else if (tag == 1 && bits == 32) {
                wave.format = SampleFormat::Int32;
            } else if (tag == 3 && bits == 32) {
                wave.format = SampleFormat::Float32;
            } else {
                fail(path + ": format tag " + std::to_string(tag) + " with " +
                     std::to_string(bits) + " bits is not read here");
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat || wave.channels <= 0) {
                fail(path + ": sound data before the format");
            }
            wave.dataOffset = at + 8;
            break;
        }
        at += 8 + size + (size & 1U);
    }
    if (wave.dataOffset == 0) {
        fail(path + " has no sound data");
    }
    const std::size_t frameBytes =
        static_cast<std::size_t>(wave.channels) * static_cast<std::size_t>(wave.bytesPerSample());
    const std::size_t frames = (bytes.size() - wave.dataOffset) / frameBytes;
    wave.samples.assign(static_cast<std::size_t>(wave.channels), std::vector<float>(frames));
    const unsigned char* p = bytes.data() + wave.dataOffset;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        for (std::size_t c = 0; c < wave.samples.size(); ++c) {
            float value = 0.0F;
            switch (wave.format) {
            case SampleFormat::Int16:
                value = static_cast<float>(static_cast<std::int16_t>(le16(p))) / 32768.0F;
                p += 2;
                break;
            case SampleFormat::Int32:
                value = static_cast<float>(static_cast<double>(static_cast<std::int32_t>(le32(p))) /
                                           2147483648.0);
                p += 4;
                break;
            case SampleFormat::Float32: {
                const std::uint32_t raw = le32(p);
                std::memcpy(&value, &raw, sizeof value);
                p += 4;
                break;
            }
            }
            wave.samples[c][frame] = value;
        }
    }
    return wave;
}

double decibels(double sumOfSquares, std::size_t count) {
    if (count == 0 || sumOfSquares <= 0.0) {
        return -200.0;
    }
    return 10.0 * std::log10(sumOfSquares / static_cast<double>(count));
}

// The RMS level of each channel over frames [first, last).
void printLevels(const Wave& wave, std::size_t first, std::size_t last) {
    last = std::min(last, wave.frames());
    first = std::min(first, last);
    for (const auto& channel : wave.samples) {
        double sum = 0.0;
        for (std::size_t i = first; i < last; ++i) {
            sum += static_cast<double>(channel[i]) * channel[i];
        }
        std::printf(" %.2f", decibels(sum, last - first));
    }
    std::printf("\n");
}

std::size_t frameAt(const Wave& wave, double seconds) {
    if (seconds <= 0.0) {
        return 0;
    }
    return static_cast<std::size_t>(std::llround(seconds * wave.rate));
}

double number(const char* text) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0') {
        fail(std::string("not a number: ") + text);
    }
    return value;
}

// The RMS amplitude of the channels' mean in steps of `stepSeconds`.
std::vector<double> loudnessCurve(const Wave& wave, double stepSeconds) {
    const std::size_t step = std::max<std::size_t>(1, frameAt(wave, stepSeconds));
    std::vector<double> curve;
    for (std::size_t start = 0; start + step <= wave.frames(); start += step) {
        double sum = 0.0;
        for (std::size_t i = start; i < start + step; ++i) {
            double mean = 0.0;
            for (const auto& channel : wave.samples) {
                mean += channel[i];
            }
            mean /= static_cast<double>(wave.samples.size());
            sum += mean * mean;
        }
        curve.push_back(std::sqrt(sum / static_cast<double>(step)));
    }
    return curve;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b, std::size_t offset) {
    const std::size_t n = a.size();
    double meanA = 0.0;
    double meanB = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        meanA += a[i];
        meanB += b[offset + i];
    }
    meanA /= static_cast<double>(n);
    meanB /= static_cast<double>(n);
    double ab = 0.0;
    double aa = 0.0;
    double bb = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = a[i] - meanA;
        const double y = b[offset + i] - meanB;
        ab += x * y;
        aa += x * x;
        bb += y * y;
    }
    return aa > 0.0 && bb > 0.0 ? ab / std::sqrt(aa * bb) : 0.0;
}

void printMatch(const Wave& wave, const Wave& reference, double from, double to) {
    constexpr double stepSeconds = 0.01;
    const std::vector<double> mix = loudnessCurve(wave, stepSeconds);
    const std::vector<double> cue = loudnessCurve(reference, stepSeconds);
    if (cue.empty() || mix.size() < cue.size()) {
        fail("the recording is shorter than the reference");
    }
    const auto first = static_cast<std::size_t>(std::max(0.0, from) / stepSeconds);
    const std::size_t last =
        std::min(static_cast<std::size_t>(std::max(0.0, to) / stepSeconds), mix.size() - cue.size());
    if (first > last) {
        fail("the recording does not hold the whole reference after the search's start");
    }
    double best = -2.0;
    std::size_t bestOffset = first;
    for (std::size_t offset = first; offset <= last; ++offset) {
        const double r = correlation(cue, mix, offset);
        if (r > best) {
            best = r;
            bestOffset = offset;
        }
    }
    std::printf("%.3f %.3f\n", static_cast<double>(bestOffset) * stepSeconds, best);
}

const char* formatName(SampleFormat format) {
    switch (format) {
    case SampleFormat::Int16:
        return "int16";
    case SampleFormat::Int32:
        return "int32";
    case SampleFormat::Float32:
        return "float32";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc < 3) {
            fail("usage: earshot_wav_measure FILE info | windows MS [FROM_S [TO_S]] | "
                 "span FROM_S TO_S | bytes FROM TO | match REFERENCE FROM_S TO_S");
        }
        const Wave wave = readWave(argv[1]);
        const std::string command = argv[2];
        const double seconds = static_cast<double>(wave.frames()) / wave.rate;
        if (command == "info") {
            std::printf("rate %d channels %d format %s data_offset %zu frames %zu seconds %.3f\n",
                        wave.rate, wave.channels, formatName(wave.format), wave.dataOffset,
                        wave.frames(), seconds);
        } else if (command == "windows" && argc >= 4) {
            const double ms = number(argv[3]);
            if (ms <= 0.0) {
                fail("the window must be longer than 0 ms");
            }
            const std::size_t step = std::max<std::size_t>(1, frameAt(wave, ms / 1000.0));
            const std::size_t first = argc >= 5 ? frameAt(wave, number(argv[4])) : 0;
            const std::size_t last = argc >= 6 ? frameAt(wave, number(argv[5])) : wave.frames();
            for (std::size_t start = first; start + step <= std::min(last, wave.frames());
                 start += step) {
                std::printf("%.3f", static_cast<double>(start) / wave.rate);
                printLevels(wave, start, start + step);
            }
        } else if (command == "span" && argc >= 5) {
            printLevels(wave, frameAt(wave, number(argv[3])), frameAt(wave, number(argv[4])));
        } else if (command == "bytes" && argc >= 5) {
            const double frameBytes = static_cast<double>(wave.channels) * wave.bytesPerSample();
            auto frameOf = [&](const char* offset) {
                const double bytes = number(offset) - static_cast<double>(wave.dataOffset);
                return bytes <= 0.0 ? std::size_t{0} : static_cast<std::size_t>(bytes / frameBytes);
            };
            const std::size_t first = frameOf(argv[3]);
            const std::size_t last = frameOf(argv[4]);
            std::printf("%.3f %.3f", static_cast<double>(first) / wave.rate,
                        static_cast<double>(last) / wave.rate);
            printLevels(wave, first, last);
        } else if (command == "match" && argc >= 6) {
            printMatch(wave, readWave(argv[3]), number(argv[4]), number(argv[5]));
        } else {
            fail("unknown command or missing arguments: " + command);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "earshot_wav_measure: %s\n", error.what());
        return 2;
    }
    return 0;
}
