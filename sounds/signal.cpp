#include "signal.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace earshot::sound {

std::size_t samplesFor(double seconds) {
    if (!(seconds >= 0.0)) {
        throw std::invalid_argument("a sound cannot last a negative time");
    }
    return static_cast<std::size_t>(std::floor(seconds * sampleRate + 0.5));
}

void mixWrapped(Signal& loop, const Signal& sound, std::size_t start, double gain) {
    if (loop.empty()) {
        throw std::invalid_argument("cannot mix into an empty loop");
    }
    if (sound.size() > loop.size()) {
        throw std::invalid_argument("a sound longer than its loop would overlap itself");
    }
    std::size_t at = start % loop.size();
    for (const double sample : sound) {
        loop[at] += gain * sample;
        if (++at == loop.size()) {
            at = 0;
        }
    }
}

void mixInto(Signal& out, const Signal& sound, std::size_t start, double gain) {
    if (out.size() < start + sound.size()) {
        out.resize(start + sound.size(), 0.0);
    }
    for (std::size_t i = 0; i < sound.size(); ++i) {
        out[start + i] += gain * sound[i];
    }
}

void addScaled(Signal& into, const Signal& from, double gain) {
    if (into.size() != from.size()) {
        throw std::invalid_argument("cannot add sounds of different lengths sample by sample");
    }
    for (std::size_t i = 0; i < into.size(); ++i) {
        into[i] += gain * from[i];
    }
}

double peakOf(const Signal& sound) {
    double peak = 0.0;
    for (const double sample : sound) {
        peak = std::max(peak, std::fabs(sample));
    }
    return peak;
}

void scaleBy(Signal& sound, double gain) {
    for (double& sample : sound) {
        sample *= gain;
    }
}

}  // namespace earshot::sound
