// Set 2: G major, 120 bpm, eight bars of four. An electric piano plays the
// tune with off-beat chord stabs; the other side is an octave-jumping bass
// under four-on-the-floor kick, claps and off-beat open hats.
#include "arrangement.h"
#include "effects.h"
#include "music_sets.h"
#include "random.h"

namespace earshot::sound {

MusicSet pianoAndDisco() {
    constexpr std::uint64_t piece = 2;
    const Timeline time{120, 4, 8};
    const std::vector<Chord> progression = chords("G Bm C D G Bm Am7 D7");
    MusicSet set{Signal(time.loopSamples(), 0.0), Signal(time.loopSamples(), 0.0)};

    const std::vector<NoteEvent> tune = melody(R"(
        G5:.5 B5:.5 D6:.75 B5:.25 C6:.5 B5:.5 A5:.5 G5:.5 | F#5:1 D5:.5 F#5:.5 B5:1.5 A5:.5 |
        G5:.5 E5:.5 G5:.5 C6:1 B5:.5 A5:.5 G5:.5 | F#5:1.5 E5:.5 D5:1 r:1 |
        G5:.5 B5:.5 D6:.75 B5:.25 D6:.5 E6:.5 D6:.5 B5:.5 | D6:1 B5:.5 A5:.5 F#5:1 D5:1 |
        E5:.5 G5:.5 A5:.5 C6:.5 E6:1 D6:.5 C6:.5 | A5:1 F#5:.5 A5:.5 D6:1 C6:.5 A5:.5 |)",
                                               time.beatsPerBar);
    playNotes(set.left, time, tune, electricPiano, Touch{1.0, 0.9}, seedFor(piece, 1));
    playNotes(set.left, time, chordHits(progression, time, pitchOf("B3"), 3, {1.5, 3.5}, 0.4, 0.45), electricPiano,
              Touch{0.6, 0.8}, seedFor(piece, 2));
    addSettled(set.left, Reverb(0.6, 0.25), 0.3);

    playNotes(set.right, time,
              bassLine(progression, time, pitchOf("E1"),
                       {{0.0, 0.5, 0, 1.0}, {0.5, 0.5, 12, 0.8}, {1.0, 0.5, 0, 0.9}, {1.5, 0.5, 12, 0.8},
                        {2.0, 0.5, 0, 0.95}, {2.5, 0.5, 12, 0.8}, {3.0, 0.5, 0, 0.9}, {3.5, 0.5, 12, 0.8}}),
              discoBass, Touch{0.55, 0.7}, seedFor(piece, 3));
    playHits(set.right, time, everyBar(time, "X...X...X...X..."),
             [](double v, std::uint64_t s) { return kick(v, s, KickTuning{160.0, 50.0, 0.035, 0.22}); }, 0.6, seedFor(piece, 4));
    playHits(set.right, time, everyBar(time, "....X.......X..."), clap, 0.5, seedFor(piece, 5));
    playHits(set.right, time, everyBar(time, "..x...x...x...x."), openHat, 0.8, seedFor(piece, 6));
    playHits(set.right, time, everyBar(time, "o.oo.oo.o.oo.oo."), closedHat, 0.7, seedFor(piece, 7));
    playHits(set.right, time, everyBar(time, "....x.......x..."), tambourine, 0.5, seedFor(piece, 8));
    addSettled(set.right, Reverb(0.3, 0.4), 0.12);

    finishSet(set);
    return set;
}

}  // namespace earshot::sound
