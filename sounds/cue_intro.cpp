// The intro: C major, 120 bpm, four bars of two. Celesta and harp play a
// rising tune over harp chords, a bass and a soft pad, ending on a held C.
#include "arrangement.h"
#include "cues.h"
#include "effects.h"
#include "mastering.h"
#include "random.h"

namespace earshot::sound {

Signal introTune() {
    constexpr std::uint64_t piece = 11;
    // Eight bars of room; the tune takes four and its last chord rings on.
    const Timeline room{120, 2, 8};
    const Timeline time{120, 2, 4};
    const std::vector<Chord> progression = chords("C F G7 C");
    Signal out(room.loopSamples(), 0.0);

    const std::vector<NoteEvent> tune = melody(R"(
        G4:.5 C5:.5 E5:.5 G5:.5 | A5:1 G5:.5 E5:.5 | F5:.5 D5:.5 B4:.5 D5:.5 | C5:2@0.9 |)", time.beatsPerBar);
    playNotes(out, time, tune, celesta, Touch{0.8, 0.95}, seedFor(piece, 1));
    playNotes(out, time, tune, harp, Touch{0.6, 0.95}, seedFor(piece, 2), 12);

    std::vector<NoteEvent> accompaniment = brokenChords(progression, time, pitchOf("C4"), {0, 1, 2, 1}, 0.5, 0.45);
    accompaniment.resize(12);  // three bars of broken chords, then the held chord
    for (const int tone : voicing(progression[3], pitchOf("C4"), 4)) {
        accompaniment.push_back({6.0, 2.5, tone, 0.55});
    }
    playNotes(out, time, accompaniment, harp, Touch{0.45, 1.0}, seedFor(piece, 3));
    playNotes(out, time, melody("C3:2 | F2:2 | G2:2 | C2:2.5 r:1.5 |", 2), roundBass, Touch{0.6, 0.95}, seedFor(piece, 4));
    std::vector<NoteEvent> pad = chordHits(progression, time, pitchOf("E3"), 3, {0.0}, 2.0, 0.5);
    for (NoteEvent& note : pad) {
        if (note.beat >= 6.0) {
            note.beats = 3.0;  // the last chord is held into the fade
        }
    }
    playNotes(out, time, pad, softPad, Touch{0.15, 1.0, 0.0}, seedFor(piece, 5));
    playHits(out, time, steps("x", 1.0, 6.0), crash, 0.12, seedFor(piece, 6));
    addWithTail(out, Reverb(0.6, 0.3), 0.3, 0.0);

    out.resize(samplesFor(5.2));
    fadeEdges(out, 0.004, 1.0);
    master(out, -20.0, -7.0);
    return out;
}

}  // namespace earshot::sound
