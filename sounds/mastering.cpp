#include "mastering.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "dsp_math.h"
#include "filters.h"

namespace earshot::sound {

void master(Signal& sound, double loudnessDb, double peakDb) {
    const double peak = peakOf(sound);
    if (peak == 0.0) {
        throw std::runtime_error("a sound came out silent");
    }
    Biquad weighting = Biquad::highPass(150.0, 0.7);
    double power = 0.0;
    for (const double sample : sound) {
        const double weighted = weighting.process(sample);
        power += weighted * weighted;
    }
    const double rms = std::sqrt(power / static_cast<double>(sound.size()));
    // Up to 4 dB of the loudest peaks may go into a soft knee below the ceiling.
    const double ceiling = decibelGain(peakDb);
    const double gain = std::min(decibelGain(loudnessDb) / rms, decibelGain(4.0) * ceiling / peak);
    const double knee = 0.6 * ceiling;
    for (double& sample : sound) {
        const double x = sample * gain;
        const double size = std::fabs(x);
        if (size > knee) {
            const double rounded = knee + (ceiling - knee) * tanhOf((size - knee) / (ceiling - knee));
            sample = x < 0.0 ? -rounded : rounded;
        } else {
            sample = x;
        }
    }
}

void drive(Signal& sound, double amount) {
    const double peak = peakOf(sound);
    if (peak == 0.0) {
        return;
    }
    const double norm = tanhOf(amount);
    for (double& sample : sound) {
        sample = tanhOf(amount * sample / peak) / norm;
    }
}

void fadeEdges(Signal& sound, double inSeconds, double outSeconds) {
    const std::size_t in = samplesFor(inSeconds);
    const std::size_t out = samplesFor(outSeconds);
    if (in + out > sound.size()) {
        throw std::invalid_argument("fades longer than the sound");
    }
    for (std::size_t i = 0; i < in; ++i) {
        sound[i] *= 0.5 - 0.5 * cosCycles(0.5 * static_cast<double>(i) / static_cast<double>(in));
    }
    for (std::size_t i = 0; i < out; ++i) {
        sound[sound.size() - 1 - i] *= 0.5 - 0.5 * cosCycles(0.5 * static_cast<double>(i) / static_cast<double>(out));
    }
}

}  // namespace earshot::sound
