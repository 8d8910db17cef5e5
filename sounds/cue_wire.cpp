// The wire: a bright electric buzz on 120 Hz, beating against a twin a
// fraction of a hertz away, chopped at 12 Hz, with hiss and random sparks.
// Every frequency makes a whole number of cycles in the loop's 1.5 seconds,
// and the noise is itself a loop, so the sound repeats without a seam.
#include "cues.h"

#include <algorithm>

#include "voice.h"
#include "dsp_math.h"
#include "filters.h"
#include "mastering.h"
#include "random.h"

namespace earshot::sound {

namespace {

constexpr std::size_t loopLength = 66150;  // 1.5 s
constexpr double loopSeconds = 1.5;

// Hz of something that turns exactly `cycles` times in the loop.
constexpr double turns(double cycles) { return cycles / loopSeconds; }

// White noise through `filter`, made periodic: the filter runs round the
// loop once to settle before the pass that is kept.
Signal loopedNoise(std::uint64_t seed, Biquad filter) {
    Random random(seed);
    Signal raw(loopLength);
    for (double& sample : raw) {
        sample = random.bipolar();
    }
    for (const double sample : raw) {
        filter.process(sample);
    }
    Signal out(loopLength);
    for (std::size_t i = 0; i < loopLength; ++i) {
        out[i] = filter.process(raw[i]);
    }
    return out;
}

}  // namespace

Signal wireBuzz() {
    constexpr std::uint64_t piece = 13;
    const double hum = turns(180.0);   // 120 Hz
    const double twin = turns(181.0);  // beats against it once a loop
    const double chop = turns(18.0);   // 12 Hz
    const Signal hiss = loopedNoise(seedFor(piece, 1), Biquad::highPass(3000.0, 0.7));

    Signal out(loopLength, 0.0);
    for (std::size_t i = 0; i < loopLength; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        double buzz = 0.0;
        for (int n = 1; n * twin < highestPartial; ++n) {
            const double weight = 1.0 / powOf(n, 0.75);
            buzz += weight * (sinCycles(n * hum * t) + 0.7 * sinCycles(n * twin * t));
        }
        // Chopped like an arcing contact: mostly on, dipping twelve times a second.
        const double gate = 0.65 + 0.35 * sinCycles(chop * t);
        out[i] = gate * (0.25 * buzz + 0.45 * hiss[i] * gate);
    }

    // Sparks: short crackles at scattered places, wrapping round the loop end.
    Random random(seedFor(piece, 2));
    for (int spark = 0; spark < 14; ++spark) {
        const auto at = static_cast<std::size_t>(random.uniform() * loopLength);
        Biquad crackle = Biquad::highPass(2500.0, 0.7);
        const double size = 0.6 + 0.8 * random.uniform();
        const std::size_t length = 400;
        for (std::size_t k = 0; k < length; ++k) {
            const double fall = expOf(-static_cast<double>(k) / 60.0);
            const double rise = 0.5 - 0.5 * cosCycles(0.5 * std::min(1.0, static_cast<double>(k) / 8.0));
            out[(at + k) % loopLength] += size * rise * fall * crackle.process(random.bipolar());
        }
    }

    master(out, -17.0, -7.0);
    return out;
}

}  // namespace earshot::sound
