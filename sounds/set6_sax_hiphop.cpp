// Set 6: C minor, 72 bpm, four bars of four, sixteenths swung. A saxophone
// sings over a music-box celesta and a soft pad; the other side is a deep
// sub bass with a laid-back kick, snare and swung hats.
#include "arrangement.h"
#include "effects.h"
#include "mastering.h"
#include "music_sets.h"
#include "random.h"

namespace earshot::sound {

MusicSet saxAndHipHop() {
    constexpr std::uint64_t piece = 6;
    const Timeline time{72, 4, 4, 0.58, 0.5};
    const std::vector<Chord> progression = chords("Cm7 Abmaj7 Eb Bb");
    MusicSet set{Signal(time.loopSamples(), 0.0), Signal(time.loopSamples(), 0.0)};

    const std::vector<NoteEvent> tune = melody(R"(
        G5:1.5 Eb5:.5 G5:.5 Bb5:.5 C6:1 | Eb6:1.5 C6:.5 Ab5:1 G5:.5 Ab5:.5 |
        Bb5:2 G5:.5 Bb5:.5 Eb6:.5 D6:.5 | F6:1 D6:.5 Bb5:.5 C6:.5 Bb5:.5 F5:1 |)",
                                               time.beatsPerBar);
    playNotes(set.left, time, tune, saxophone, Touch{1.0, 0.92}, seedFor(piece, 1), -12);  // alto range
    playNotes(set.left, time, brokenChords(progression, time, pitchOf("C6"), {0, 1, 2, 3, 1, 2, 3, 2}, 0.5, 0.45),
              celesta, Touch{0.6, 1.0}, seedFor(piece, 2));
    playNotes(set.left, time, chordHits(progression, time, pitchOf("G3"), 3, {0.0}, 4.0, 0.5), softPad,
              Touch{0.18, 0.9, 0.0}, seedFor(piece, 3));
    addSettled(set.left, Reverb(0.7, 0.3), 0.35);

    Signal bass(time.loopSamples(), 0.0);
    playNotes(bass, time,
              bassLine(progression, time, pitchOf("G1"), {{0.0, 1.5, 0, 1.0}, {1.75, 0.25, 12, 0.6}, {2.5, 1.25, 0, 0.9}}),
              subBass, Touch{0.8, 0.85}, seedFor(piece, 4));
    drive(bass, 1.2);
    scaleBy(bass, 0.5);
    set.right = bass;
    playHits(set.right, time, everyBar(time, "X......x..X....."),
             [](double v, std::uint64_t s) { return kick(v, s, KickTuning{120.0, 45.0, 0.05, 0.35}); }, 0.6,
             seedFor(piece, 5));
    playHits(set.right, time, everyBar(time, "....X.......X..."), snare, 0.7, seedFor(piece, 6));
    playHits(set.right, time, everyBar(time, "...........o...o"), rim, 0.25, seedFor(piece, 7));
    playHits(set.right, time, everyBar(time, "xoxoxoxoxoxoxoxo"), closedHat, 1.0, seedFor(piece, 8));
    playHits(set.right, time, everyBar(time, "oxoxoxoxoxoxoxox"), shaker, 0.8, seedFor(piece, 9));
    addSettled(set.right, Reverb(0.4, 0.35), 0.15);

    finishSet(set);
    return set;
}

}  // namespace earshot::sound
