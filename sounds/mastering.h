// Bringing a finished sound to its level, and the shaping that must come last.
#pragma once

#include "signal.h"

namespace earshot::sound {

// Scales the sound so its loudness (the power above the deep bass, which the
// ear hears less) is `loudnessDb` below full scale, as far as a peak no more
// than 4 dB over `peakDb` allows; peaks beyond 0.6 of that ceiling are then
// rounded off softly so that none reaches it.
void master(Signal& sound, double loudnessDb, double peakDb);

// Scales the sound to a peak of 1 and rounds it off with a soft saturation
// of `amount` (the organ's warm overdrive).
void drive(Signal& sound, double amount);

// Raised-cosine fades so a one-shot starts and ends at exactly zero.
void fadeEdges(Signal& sound, double inSeconds, double outSeconds);

}  // namespace earshot::sound
