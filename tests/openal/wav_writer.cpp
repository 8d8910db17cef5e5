#include "wav_writer.h"

#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "scratch.h"

namespace earshot::test {

std::string writeWav(const std::string& name, const WavFormat& format, const SampleAt& sample) {
    const std::string path = (scratchDir() / name).string();
    SF_INFO info{};
    info.samplerate = format.sampleRate;
    info.channels = format.channels;
    info.format = SF_FORMAT_WAV | format.subtype;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        throw std::runtime_error("cannot write test sound " + path + ": " + sf_strerror(nullptr));
    }
    std::vector<double> frames(static_cast<std::size_t>(format.frames * format.channels));
    for (int frame = 0; frame < format.frames; ++frame) {
        for (int channel = 0; channel < format.channels; ++channel) {
            frames[static_cast<std::size_t>(frame * format.channels + channel)] =
                sample(frame, channel);
        }
    }
    const sf_count_t written = sf_writef_double(file, frames.data(), format.frames);
    sf_close(file);
    if (written != format.frames) {
        throw std::runtime_error("cannot write test sound " + path);
    }
    return path;
}

double noise(int frame) {
    // A fixed integer hash, so every run hears the same signal.
    auto value = static_cast<std::uint32_t>(frame) * 2654435761U;
    value ^= value >> 15U;
    value *= 2246822519U;
    value ^= value >> 13U;
    return 0.3 * (static_cast<double>(value) / 4294967295.0 * 2.0 - 1.0);
}

double sine(int frame, int sampleRate, double hertz) {
    return 0.5 * std::sin(2.0 * std::numbers::pi * hertz * frame / sampleRate);
}

}  // namespace earshot::test
