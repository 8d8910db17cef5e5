// The two ways the generator makes a tone: a sum of sine partials (each with
// its own level and its own fall, so that plucked tones lose their brightness
// as they ring) and a burst of filtered noise (attacks, breath, cymbals).
#pragma once

#include <cstdint>
#include <vector>

#include "envelope.h"
#include "filters.h"
#include "signal.h"

namespace earshot::sound {

// One note as a score gives it to an instrument.
struct Note {
    double frequency;    // Hz
    double gate;         // seconds the note is held
    double velocity;     // 0..1
    std::uint64_t seed;  // for the note's own noise
};

struct Partial {
    double ratio;      // frequency as a multiple of the note's
    double amplitude;  // at the start of the note
    double fall;       // decay rate in 1/s; 0 keeps the level
};

struct Vibrato {
    double rate = 0.0;   // Hz
    double depth = 0.0;  // fraction of the frequency
    double delay = 0.0;  // seconds before it sets in (it then fades in over as long again)
};

// Partials above this frequency are left out, well below the Nyquist limit.
inline constexpr double highestPartial = 16000.0;

Signal additive(const Note& note, const std::vector<Partial>& partials, const Envelope& envelope,
                const Vibrato& vibrato = {});

// White noise through `filter`, shaped by `envelope` held for `gate` seconds.
Signal noiseBurst(std::uint64_t seed, Biquad filter, const Envelope& envelope, double gate);

// A sawtooth-like series: n-th harmonic at 1/n^slope, each falling at
// `fall` + `fallPerKilohertz` times its frequency in kHz.
std::vector<Partial> harmonicSeries(double frequency, double slope, double fall, double fallPerKilohertz);

}  // namespace earshot::sound
