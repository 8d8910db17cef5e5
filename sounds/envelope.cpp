#include "envelope.h"

#include <algorithm>

#include "dsp_math.h"

namespace earshot::sound {

namespace {

constexpr double endFadeSeconds = 0.003;
constexpr double releaseSpans = 6.0;  // e^-6: a quarter of a percent left

double attackLevel(double t, double attack) { return 0.5 - 0.5 * cosCycles(0.5 * t / attack); }

}  // namespace

double Envelope::length(double gate) const { return gate + releaseSpans * release + endFadeSeconds; }

Signal Envelope::render(double gate) const {
    const std::size_t count = samplesFor(length(gate));
    const std::size_t fade = samplesFor(endFadeSeconds);
    const std::size_t attackEnd = samplesFor(attack);
    const std::size_t gateEnd = std::max<std::size_t>(samplesFor(gate), 1);
    Signal curve(count);
    // The falls run as products, one factor per sample.
    const double decayFactor = expOf(-1.0 / (decay * sampleRate));
    const double releaseFactor = expOf(-1.0 / (release * sampleRate));
    double fall = 1.0;  // share of (1 - sustain) still left above the sustain level
    double level = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        if (i < gateEnd) {
            if (i < attackEnd) {
                level = attackLevel(static_cast<double>(i) / sampleRate, attack);
            } else {
                level = sustain + (1.0 - sustain) * fall;
                fall *= decayFactor;
            }
        } else {
            level *= releaseFactor;
        }
        double value = level;
        // The last few milliseconds fade to exactly zero.
        const std::size_t left = count - 1 - i;
        if (left < fade) {
            value *= 0.5 - 0.5 * cosCycles(0.5 * static_cast<double>(left) / static_cast<double>(fade));
        }
        curve[i] = value;
    }
    return curve;
}

}  // namespace earshot::sound
