// The level-up fanfare: brass climbing a C major arpeggio in triplets to a
// held chord, with a snare roll under the climb and a cymbal on the chord.
#include "arrangement.h"
#include "cues.h"
#include "effects.h"
#include "mastering.h"
#include "random.h"

namespace earshot::sound {

Signal levelUpFanfare() {
    constexpr std::uint64_t piece = 12;
    const Timeline time{120, 4, 4};  // room for the fanfare and its ring
    Signal out(time.loopSamples(), 0.0);

    playNotes(out, time, melody("G4:1/3 C5:1/3 E5:1/3 G5:.5 E5:.25 G5:.25 C6:2.5@0.95 r:3.5 |", 4), brass,
              Touch{1.0, 0.9}, seedFor(piece, 1));
    // The held chord under the top note.
    playNotes(out, time, chordHits(chords("C"), Timeline{120, 4, 1}, pitchOf("C4"), 4, {2.0}, 2.5, 0.7), brass,
              Touch{0.45, 0.9}, seedFor(piece, 2));
    playNotes(out, time, {{2.0, 2.5, pitchOf("C2"), 0.9}}, roundBass, Touch{0.6, 0.9}, seedFor(piece, 3));

    std::vector<Hit> roll;
    for (int i = 0; i < 8; ++i) {
        roll.push_back({i * 0.25, 0.35 + 0.07 * i});  // growing towards the chord
    }
    playHits(out, time, roll, snare, 0.35, seedFor(piece, 4));
    playHits(out, time, steps("X", 1.0, 2.0), crash, 0.35, seedFor(piece, 5));
    playHits(out, time, steps("X", 1.0, 2.0), [](double v, std::uint64_t s) { return kick(v, s); }, 0.6,
             seedFor(piece, 6));
    addWithTail(out, Reverb(0.55, 0.3), 0.25, 0.0);

    out.resize(samplesFor(2.6));
    fadeEdges(out, 0.004, 0.6);
    master(out, -19.0, -7.0);
    return out;
}

}  // namespace earshot::sound
