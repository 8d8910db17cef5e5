#include "mastering.h"
#include "music_sets.h"

namespace earshot::sound {

namespace {

// Four speakers, a cue and the voice sound at once: every file stays 7 dB
// below full scale, and all twelve share one loudness.
constexpr double loopLoudnessDb = -21.0;
constexpr double loopPeakDb = -7.0;

}  // namespace

void finishSet(MusicSet& set) {
    master(set.left, loopLoudnessDb, loopPeakDb);
    master(set.right, loopLoudnessDb, loopPeakDb);
}

}  // namespace earshot::sound
