#include "drums.h"

#include <cmath>

#include "dsp_math.h"
#include "envelope.h"
#include "filters.h"
#include "random.h"
#include "voice.h"

namespace earshot::sound {

namespace {

// A hit's level: a very short attack, then a fall with time constant `decay`.
Envelope struck(double attack, double decay) { return Envelope{attack, decay, 0.0, 0.5 * decay}; }

// Held for three time constants (down to 5 %), then released twice as fast.
double heldFor(double decay) { return 3.0 * decay; }

Signal noise(std::uint64_t seed, Biquad filter, double attack, double decay) {
    return noiseBurst(seed, filter, struck(attack, decay), heldFor(decay));
}

// The six detuned square waves of a drum machine's cymbals, through a high pass.
Signal metal(double scale, double highPassHz, double attack, double decay) {
    static constexpr double tones[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    Signal out = struck(attack, decay).render(heldFor(decay));
    Biquad first = Biquad::highPass(highPassHz, 0.7);
    Biquad second = Biquad::highPass(highPassHz, 0.7);
    double phases[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    for (double& sample : out) {
        double sum = 0.0;
        for (int k = 0; k < 6; ++k) {
            sum += phases[k] < 0.5 ? 1.0 : -1.0;
            phases[k] += tones[k] * scale / sampleRate;
            phases[k] -= std::floor(phases[k]);
        }
        sample *= second.process(first.process(sum / 6.0));
    }
    return out;
}

void layer(Signal& sound, const Signal& extra, double gain, std::size_t at = 0) { mixInto(sound, extra, at, gain); }

}  // namespace

Signal kick(double velocity, std::uint64_t seed, const KickTuning& k) {
    Signal out = struck(0.0008, k.decay).render(heldFor(k.decay));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        // Phase of a sine whose pitch falls exponentially from start to end.
        const double phase = k.endHz * t + (k.startHz - k.endHz) * k.sweep * (1.0 - expOf(-t / k.sweep));
        out[i] *= sinCycles(phase);
    }
    layer(out, noise(seed, Biquad::highPass(2500.0, 0.7), 0.0003, 0.0025), 0.35);
    scaleBy(out, velocity);
    return out;
}

Signal snare(double velocity, std::uint64_t seed) {
    Signal out = struck(0.0005, 0.07).render(heldFor(0.07));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        out[i] *= 0.55 * (sinCycles(185.0 * t) + 0.6 * sinCycles(330.0 * t) * expOf(-t / 0.05));
    }
    layer(out, noise(seedFor(seed, 1), Biquad::highPass(1500.0, 0.7), 0.0005, 0.13), 0.8);
    layer(out, noise(seedFor(seed, 2), Biquad::bandPass(6000.0, 0.9), 0.0005, 0.07), 0.45);
    scaleBy(out, velocity);
    return out;
}

Signal clap(double velocity, std::uint64_t seed) {
    Signal out;
    const double offsets[] = {0.0, 0.009, 0.019, 0.030};
    for (int i = 0; i < 4; ++i) {
        const double decay = i == 3 ? 0.12 : 0.007;
        layer(out, noise(seedFor(seed, static_cast<std::uint64_t>(i)), Biquad::bandPass(1300.0, 1.2), 0.0005, decay),
              1.0, samplesFor(offsets[i]));
        layer(out, noise(seedFor(seed, 10u + static_cast<std::uint64_t>(i)), Biquad::highPass(3500.0, 0.7), 0.0005, decay),
              0.5, samplesFor(offsets[i]));
    }
    scaleBy(out, velocity);
    return out;
}

Signal closedHat(double velocity, std::uint64_t seed) {
    const double decay = 0.025 + 0.02 * velocity;
    Signal out = metal(1.72, 7000.0, 0.0004, decay);
    layer(out, noise(seed, Biquad::highPass(7500.0, 0.7), 0.0004, decay), 0.7);
    scaleBy(out, velocity);
    return out;
}

Signal openHat(double velocity, std::uint64_t seed) {
    Signal out = metal(1.72, 6500.0, 0.0006, 0.22);
    layer(out, noise(seed, Biquad::highPass(7000.0, 0.7), 0.0006, 0.2), 0.7);
    scaleBy(out, velocity);
    return out;
}

Signal ride(double velocity, std::uint64_t seed) {
    Signal out = metal(1.31, 4500.0, 0.0005, 0.6);
    scaleBy(out, 0.5);
    layer(out, noise(seed, Biquad::bandPass(7000.0, 0.8), 0.0005, 0.5), 0.5);
    layer(out, metal(2.4, 3000.0, 0.0003, 0.02), 0.6);  // the stick's ping
    scaleBy(out, velocity);
    return out;
}

Signal crash(double velocity, std::uint64_t seed) {
    Signal out = noise(seed, Biquad::highPass(3500.0, 0.7), 0.001, 0.9);
    layer(out, metal(1.1, 5000.0, 0.001, 0.8), 0.6);
    scaleBy(out, velocity);
    return out;
}

Signal tambourine(double velocity, std::uint64_t seed) {
    Signal out;
    const double offsets[] = {0.0, 0.006, 0.014};
    for (int i = 0; i < 3; ++i) {
        layer(out, noise(seedFor(seed, static_cast<std::uint64_t>(i)), Biquad::bandPass(9000.0, 1.2), 0.0005, 0.05),
              1.0 - 0.25 * i, samplesFor(offsets[i]));
    }
    layer(out, metal(3.1, 6000.0, 0.0005, 0.12), 0.4);
    scaleBy(out, velocity);
    return out;
}

Signal shaker(double velocity, std::uint64_t seed) {
    Signal out = noise(seed, Biquad::bandPass(7500.0, 0.8), 0.012, 0.035);
    scaleBy(out, velocity);
    return out;
}

Signal rim(double velocity, std::uint64_t seed) {
    Signal out = struck(0.0003, 0.012).render(heldFor(0.012));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        out[i] *= sinCycles(1720.0 * t) + 0.5 * sinCycles(520.0 * t);
    }
    layer(out, noise(seed, Biquad::highPass(3000.0, 0.7), 0.0003, 0.004), 0.5);
    scaleBy(out, velocity);
    return out;
}

Signal brush(double velocity, std::uint64_t seed) {
    Signal out = noise(seed, Biquad::bandPass(3000.0, 0.5), 0.008, 0.09);
    scaleBy(out, velocity);
    return out;
}

}  // namespace earshot::sound
