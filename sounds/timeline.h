// Where beats fall in a loop: tempo, bars, swing, and the small lead-in that
// keeps the loop's first sample off the downbeat's attack.
#pragma once

#include <cstddef>

namespace earshot::sound {

struct Timeline {
    int bpm;
    int beatsPerBar;
    int bars;
    double swing = 0.5;      // where each swing unit's off-beat falls: 0.5 straight, 2/3 a triplet shuffle
    double swingUnit = 1.0;  // beats per swing unit: 1 swings the eighths, 0.5 the sixteenths
    double leadSeconds = 0.004;

    // Samples per beat; the tempo must give a whole number, so that the loop is
    // exactly a whole number of beats long.
    std::size_t beatSamples() const;
    std::size_t loopSamples() const;
    double totalBeats() const { return static_cast<double>(beatsPerBar * bars); }
    double secondsFor(double beats) const { return beats * 60.0 / bpm; }

    // The sample at which `beat` sounds, swing and lead-in applied, within the loop.
    std::size_t sampleAt(double beat) const;
};

}  // namespace earshot::sound
