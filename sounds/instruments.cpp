#include "instruments.h"

#include <algorithm>
#include <cmath>

#include "dsp_math.h"
#include "random.h"

namespace earshot::sound {

namespace {

// A pick, mallet or key noise: filtered noise that dies within milliseconds.
Signal tick(const Note& note, std::uint64_t part, Biquad filter, double decay) {
    return noiseBurst(seedFor(note.seed, part), filter, Envelope{0.0004, decay, 0.0, decay}, 0.0004 + 4.0 * decay);
}

// Adds `extra` times `gain` into `sound` from its start, lengthening it if need be.
void layer(Signal& sound, const Signal& extra, double gain) { mixInto(sound, extra, 0, gain); }

// n-th harmonic of a string plucked at `position` of its length, 1/n^slope.
std::vector<Partial> pluckedString(double frequency, double position, double slope, double fall,
                                   double fallPerKilohertz) {
    std::vector<Partial> partials = harmonicSeries(frequency, slope, fall, fallPerKilohertz);
    for (Partial& p : partials) {
        p.amplitude *= sinCycles(0.5 * p.ratio * position);
    }
    return partials;
}

// Harmonic amplitude of a gentle low pass, so pulse waves are bright but not harsh.
double rolloff(double frequency, double corner) {
    const double x = frequency / corner;
    return 1.0 / (1.0 + x * x);
}

}  // namespace

Signal harp(const Note& note) {
    const double brightness = 0.7 + 0.6 * note.velocity;
    Signal out = additive(note, pluckedString(note.frequency, 0.13, 0.85, 1.2, 1.1 / brightness),
                          Envelope{0.0015, 1.0, 1.0, 0.22});
    layer(out, tick(note, 1, Biquad::highPass(2500.0, 0.7), 0.004), 0.35);
    scaleBy(out, note.velocity);
    return out;
}

Signal electricPiano(const Note& note) {
    const Envelope shape{0.002, 1.3, 0.0, 0.18};
    Signal out = shape.render(note.gate);
    const double f = note.frequency;
    const double tineRatio = 14.0 * f < highestPartial ? 14.0 : 7.0;
    const double indexFall = expOf(-1.0 / (0.35 * sampleRate));
    const double tineFall = expOf(-1.0 / (0.12 * sampleRate));
    double index = 1.2 + 2.8 * note.velocity;  // the part of the FM index that dies away
    double tine = 0.45 * note.velocity;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double phase = f * static_cast<double>(i) / sampleRate;
        const double body = sinCycles(phase + (index + 0.5) / (2.0 * pi) * sinCycles(phase));
        const double chorus = 0.3 * sinCycles(1.0015 * phase);
        out[i] *= body + chorus + tine * sinCycles(tineRatio * phase);
        index *= indexFall;
        tine *= tineFall;
    }
    scaleBy(out, note.velocity);
    return out;
}

Signal marimba(const Note& note) {
    const double ring = 0.55 * std::sqrt(440.0 / note.frequency);
    Signal out = additive(note, {{1.0, 1.0, 1.0 / ring}, {3.99, 0.30, 11.0}, {9.87, 0.35, 20.0}},
                          Envelope{0.0008, 1.0, 1.0, 0.12});
    layer(out, tick(note, 1, Biquad::bandPass(3000.0, 0.8), 0.003), 0.6);
    layer(out, tick(note, 2, Biquad::highPass(6000.0, 0.7), 0.003), 1.0);
    scaleBy(out, note.velocity);
    return out;
}

Signal organ(const Note& note) {
    const Envelope keys{0.004, 1.0, 1.0, 0.045};
    const Vibrato scanner{6.6, 0.0018, 0.0};
    Signal out = additive(note,
                          {{0.5, 0.5, 0.0}, {1.0, 1.0, 0.0}, {1.5, 0.3, 0.0}, {2.0, 0.6, 0.0}, {3.0, 0.35, 0.0},
                           {4.0, 0.35, 0.0}, {6.0, 0.25, 0.0}, {8.0, 0.4, 0.0}},
                          keys, scanner);
    layer(out, additive(note, {{3.0, 0.5, 5.5}}, keys, scanner), 1.0);  // the percussion, dying away
    layer(out, tick(note, 1, Biquad::highPass(1800.0, 0.7), 0.003), 0.5);
    scaleBy(out, note.velocity);
    return out;
}

Signal chipLead(const Note& note) {
    std::vector<Partial> partials;
    for (int n = 1; n * note.frequency < highestPartial; ++n) {
        const double dn = static_cast<double>(n);
        partials.push_back({dn, sinCycles(0.5 * dn * 0.25) / dn * rolloff(dn * note.frequency, 14000.0), 0.0});
    }
    Signal out = additive(note, partials, Envelope{0.003, 0.35, 0.65, 0.06}, Vibrato{5.5, 0.0045, 0.18});
    scaleBy(out, note.velocity);
    return out;
}

Signal chipArp(const Note& note) {
    std::vector<Partial> partials;
    for (int n = 1; n * note.frequency < highestPartial; n += 2) {
        const double dn = static_cast<double>(n);
        partials.push_back({dn, rolloff(dn * note.frequency, 10000.0) / dn, 0.0});
    }
    Signal out = additive(note, partials, Envelope{0.002, 0.09, 0.25, 0.03});
    scaleBy(out, note.velocity);
    return out;
}

Signal saxophone(const Note& note) {
    // A reed's bright, sawtooth-like series, lifted around a 2.5 kHz formant
    // (the horn's nasal edge) and rounded off high up.
    std::vector<Partial> partials;
    for (int n = 1; n * note.frequency < highestPartial; ++n) {
        const double dn = static_cast<double>(n);
        const double hertz = dn * note.frequency;
        const double fromFormant = (hertz - 2500.0) / 1500.0;
        const double formant = 1.0 + 1.5 * expOf(-fromFormant * fromFormant);
        partials.push_back({dn, formant * rolloff(hertz, 12000.0) / powOf(dn, 0.55), 0.0});
    }
    const Envelope blown{0.035, 0.5, 0.85, 0.08};
    Signal out = additive(note, partials, blown, Vibrato{5.2, 0.005, 0.3});
    Signal breath = noiseBurst(seedFor(note.seed, 1), Biquad::bandPass(3000.0, 0.7), blown, note.gate);
    layer(out, breath, 0.12);
    layer(out, tick(note, 2, Biquad::highPass(2500.0, 0.7), 0.006), 0.3);  // the tongue on the reed
    scaleBy(out, 0.5 * note.velocity);
    return out;
}

Signal celesta(const Note& note) {
    Signal out = additive(note, {{1.0, 1.0, 2.2}, {2.0, 0.2, 5.0}, {4.07, 0.5, 7.0}, {5.6, 0.4, 10.0}, {9.3, 0.3, 16.0}, {13.1, 0.15, 25.0}},
                          Envelope{0.001, 1.0, 1.0, 0.3});
    layer(out, tick(note, 1, Biquad::highPass(6000.0, 0.7), 0.002), 0.3);
    scaleBy(out, note.velocity);
    return out;
}

Signal brass(const Note& note) {
    const Envelope shape{0.03, 0.3, 0.85, 0.12};
    Signal out = shape.render(note.gate);
    const double f = note.frequency;
    const int count = static_cast<int>(highestPartial / f);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        // Each harmonic is q times the one below (over 1/n): dark at the
        // breath's start, opening as the lips buzz.
        const double q = expOf(-(0.18 + 1.1 * expOf(-t / 0.045)));
        double weight = 1.0;
        double sum = 0.0;
        for (int n = 1; n <= count; ++n) {
            sum += weight / n * sinCycles(n * phase);
            weight *= q;
        }
        out[i] *= sum;
        const double vibrato = t > 0.25 ? 0.003 * std::min(1.0, (t - 0.25) / 0.25) * sinCycles(5.5 * t) : 0.0;
        phase += f * (1.0 + vibrato) / sampleRate;
    }
    scaleBy(out, note.velocity);
    return out;
}

Signal softPad(const Note& note) {
    const Envelope shape{0.35, 2.0, 0.8, 0.45};
    Signal out(samplesFor(shape.length(note.gate)), 0.0);
    for (const double detune : {0.996, 1.0, 1.004}) {
        Note voice = note;
        voice.frequency *= detune;
        std::vector<Partial> partials = harmonicSeries(voice.frequency, 1.3, 0.0, 0.0);
        std::erase_if(partials, [&](const Partial& p) { return p.ratio * voice.frequency > 6000.0; });
        layer(out, additive(voice, partials, shape), 0.33);
    }
    scaleBy(out, note.velocity);
    return out;
}

Signal roundBass(const Note& note) {
    Signal out = additive(note, harmonicSeries(note.frequency, 1.6, 1.5, 6.0), Envelope{0.003, 1.0, 1.0, 0.05});
    layer(out, tick(note, 1, Biquad::bandPass(900.0, 1.0), 0.01), 0.12);
    scaleBy(out, note.velocity);
    return out;
}

Signal discoBass(const Note& note) {
    Signal out = additive(note, harmonicSeries(note.frequency, 1.0, 1.0, 9.0), Envelope{0.002, 0.25, 0.7, 0.03});
    layer(out, tick(note, 1, Biquad::highPass(2000.0, 0.7), 0.003), 0.15);
    scaleBy(out, note.velocity);
    return out;
}

Signal uprightBass(const Note& note) {
    Signal out = additive(note, pluckedString(note.frequency, 0.2, 1.3, 1.8, 5.5), Envelope{0.004, 1.0, 1.0, 0.08});
    layer(out, tick(note, 1, Biquad::lowPass(300.0, 0.7), 0.02), 0.6);
    layer(out, tick(note, 2, Biquad::bandPass(2200.0, 1.0), 0.005), 0.06);
    scaleBy(out, note.velocity);
    return out;
}

Signal acidBass(const Note& note) {
    const Envelope shape{0.002, 0.2, 0.6, 0.025};
    Signal out = shape.render(note.gate);
    const double f = note.frequency;
    const int count = static_cast<int>(8000.0 / f);
    std::vector<double> amplitude(static_cast<std::size_t>(count) + 1, 0.0);
    constexpr std::size_t block = 16;  // the filter moves slowly: new weights every 16 samples
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        if (i % block == 0) {
            const double cutoff = 250.0 + (1600.0 + 2400.0 * note.velocity) * expOf(-t / 0.09);
            for (int n = 1; n <= count; ++n) {
                const double x = n * f / cutoff;
                const double notch = 1.0 - x * x;
                amplitude[static_cast<std::size_t>(n)] = 1.0 / n / std::sqrt(notch * notch + x * x / 16.0);
            }
        }
        double sum = 0.0;
        for (int n = 1; n <= count; ++n) {
            sum += amplitude[static_cast<std::size_t>(n)] * sinCycles(n * f * t);
        }
        out[i] *= 0.35 * sum;
    }
    scaleBy(out, note.velocity);
    return out;
}

Signal subBass(const Note& note) {
    Signal out = additive(note, {{1.0, 1.0, 0.0}, {2.0, 0.35, 0.0}, {3.0, 0.12, 0.0}, {4.0, 0.05, 0.0}},
                          Envelope{0.006, 0.9, 0.55, 0.07});
    scaleBy(out, note.velocity);
    return out;
}

Signal mutedGuitar(const Note& note) {
    Signal out = additive(note, pluckedString(note.frequency, 0.18, 1.1, 6.0, 2.5), Envelope{0.001, 1.0, 1.0, 0.04});
    layer(out, tick(note, 1, Biquad::highPass(3000.0, 0.7), 0.003), 0.25);
    scaleBy(out, note.velocity);
    return out;
}

}  // namespace earshot::sound
