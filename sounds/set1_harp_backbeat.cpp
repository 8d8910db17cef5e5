// Set 1: D minor, 100 bpm, eight bars of four. A harp sings the tune over its
// own broken chords; the other side is a fingered bass with a pop backbeat.
#include "arrangement.h"
#include "effects.h"
#include "music_sets.h"
#include "random.h"

namespace earshot::sound {

MusicSet harpAndBackbeat() {
    constexpr std::uint64_t piece = 1;
    const Timeline time{100, 4, 8};
    const std::vector<Chord> progression = chords("Dm Bb F C Dm Bb Gm A");
    MusicSet set{Signal(time.loopSamples(), 0.0), Signal(time.loopSamples(), 0.0)};

    const std::vector<NoteEvent> tune = melody(R"(
        D5:.5 F5:.5 A5:1 G5:.5 F5:.5 E5:.5 F5:.5 | D5:1.5 Bb4:.5 D5:.5 F5:.5 G5:1 |
        A5:.5 G5:.5 F5:.5 A5:.5 C6:1.5 A5:.5 | G5:2 E5:.5 G5:.5 C5:1 |
        D5:.5 F5:.5 A5:1 D6:1 C6:.5 A5:.5 | Bb5:1 A5:.5 G5:.5 F5:1 D5:1 |
        G5:.5 Bb5:.5 D6:1 C6:.5 Bb5:.5 A5:.5 G5:.5 | A5:1.5 C#6:.5@0.9 E5:1 r:1 |)",
                                               time.beatsPerBar);
    playNotes(set.left, time, tune, harp, Touch{1.0, 0.95}, seedFor(piece, 1));
    playNotes(set.left, time, brokenChords(progression, time, pitchOf("D4"), {0, 2, 1, 2}, 0.5, 0.5), harp,
              Touch{0.45, 1.0}, seedFor(piece, 2));
    addSettled(set.left, Echo(time.beatSamples() * 3 / 4, 0.3, 5000.0), 0.22);
    addSettled(set.left, Reverb(0.5, 0.3), 0.35);

    playNotes(set.right, time,
              bassLine(progression, time, pitchOf("A1"),
                       {{0.0, 1.5, 0, 1.0}, {1.5, 0.5, 0, 0.7}, {2.0, 0.5, 12, 0.85}, {2.5, 0.5, 0, 0.7},
                        {3.0, 1.0, 7, 0.8}}),
              roundBass, Touch{0.6, 0.85}, seedFor(piece, 3));
    playHits(set.right, time, everyBar(time, "X.....x.X.x....."),
             [](double v, std::uint64_t s) { return kick(v, s, KickTuning{150.0, 50.0, 0.04, 0.22}); }, 0.65, seedFor(piece, 4));
    playHits(set.right, time, everyBar(time, "....X.......X...", 0, 6), snare, 0.55, seedFor(piece, 5));
    playHits(set.right, time, everyBar(time, "....X.......XxoX", 7, 7), snare, 0.55, seedFor(piece, 6));
    playHits(set.right, time, everyBar(time, "x.o.x.o.x.o.x.o."), closedHat, 1.1, seedFor(piece, 7));
    playHits(set.right, time, everyBar(time, "oxoxoxoxoxoxoxox"), shaker, 0.5, seedFor(piece, 10));
    playHits(set.right, time, steps("x", 1.0, 3 * 4 + 3.5), openHat, 0.6, seedFor(piece, 8));
    playHits(set.right, time, steps("x", 1.0, 0.0), crash, 0.4, seedFor(piece, 9));
    addSettled(set.right, Reverb(0.3, 0.4), 0.15);

    finishSet(set);
    return set;
}

}  // namespace earshot::sound
