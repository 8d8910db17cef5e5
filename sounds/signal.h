// A mono sound as doubles at 44100 Hz, and the few ways the generator
// combines sounds: into a loop (wrapping round its end) or into a one-shot.
#pragma once

#include <cstddef>
#include <vector>

namespace earshot::sound {

inline constexpr int sampleRate = 44100;

using Signal = std::vector<double>;

std::size_t samplesFor(double seconds);

// Adds `sound` times `gain` into `loop` from `start` on; what runs past the
// loop's end comes back in at its start, so a note ringing across the end of
// the loop is heard, unbroken, as the loop repeats.
void mixWrapped(Signal& loop, const Signal& sound, std::size_t start, double gain);

// Adds `sound` times `gain` into `out` from `start` on, lengthening `out`.
void mixInto(Signal& out, const Signal& sound, std::size_t start, double gain);

// Adds `from` times `gain` into `into`, sample by sample (same length).
void addScaled(Signal& into, const Signal& from, double gain);

double peakOf(const Signal& sound);

void scaleBy(Signal& sound, double gain);

}  // namespace earshot::sound
