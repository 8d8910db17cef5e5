// Set 5: A minor, 126 bpm, eight bars of four. A pulse-wave lead with a
// dotted echo sings over fast square arpeggios; the other side is a squelchy
// acid bass with electro kick, claps and sixteenth hats.
#include "arrangement.h"
#include "effects.h"
#include "mastering.h"
#include "music_sets.h"
#include "random.h"

namespace earshot::sound {

MusicSet chipAndElectro() {
    constexpr std::uint64_t piece = 5;
    const Timeline time{126, 4, 8};
    const std::vector<Chord> progression = chords("Am F C G Am F Dm E");
    MusicSet set{Signal(time.loopSamples(), 0.0), Signal(time.loopSamples(), 0.0)};

    const std::vector<NoteEvent> tune = melody(R"(
        A5:.75 C6:.75 E6:.5 D6:.5 C6:.5 B5:.5 C6:.5 | A5:1.5 F5:.5 A5:.5 C6:.5 F6:1 |
        E6:.75 D6:.75 C6:.5 G5:1 E5:.5 G5:.5 | D6:1.5 B5:.5 G5:1 r:1 |
        A5:.75 C6:.75 E6:.5 A6:1 G6:.5 E6:.5 | F6:.75 E6:.75 C6:.5 A5:1 C6:1 |
        D6:.75 F6:.75 A6:.5 G6:.5 F6:.5 E6:.5 D6:.5 | E6:1.5 B5:.5 G#5:1 r:1 |)",
                                               time.beatsPerBar);
    playNotes(set.left, time, tune, chipLead, Touch{1.0, 0.9}, seedFor(piece, 1));
    playNotes(set.left, time, brokenChords(progression, time, pitchOf("A4"), {0, 1, 2, 1}, 0.25, 0.5), chipArp,
              Touch{0.3, 0.8}, seedFor(piece, 2));
    addSettled(set.left, Echo(time.beatSamples() * 3 / 4, 0.35, 5000.0), 0.3);
    addSettled(set.left, Reverb(0.3, 0.3), 0.12);

    Signal bass(time.loopSamples(), 0.0);
    playNotes(bass, time,
              bassLine(progression, time, pitchOf("A1"),
                       {{0.0, 0.25, 0, 1.0}, {0.5, 0.25, 0, 0.7}, {0.75, 0.25, 12, 0.9}, {1.5, 0.25, 0, 0.7},
                        {2.0, 0.25, 0, 1.0}, {2.5, 0.25, 12, 0.8}, {2.75, 0.25, 0, 0.6}, {3.5, 0.5, 7, 0.85}}),
              acidBass, Touch{1.0, 0.8}, seedFor(piece, 3));
    drive(bass, 1.5);
    scaleBy(bass, 0.55);
    set.right = bass;
    playHits(set.right, time, everyBar(time, "X.....x...X....."),
             [](double v, std::uint64_t s) { return kick(v, s, KickTuning{170.0, 52.0, 0.035, 0.22}); }, 0.65,
             seedFor(piece, 4));
    playHits(set.right, time, everyBar(time, "....X.......X..."), clap, 0.7, seedFor(piece, 5));
    playHits(set.right, time, everyBar(time, "xoxoxoxoxoxoxoxo"), closedHat, 0.9, seedFor(piece, 6));
    for (const int bar : {1, 3, 5}) {
        playHits(set.right, time, steps("x", 1.0, bar * 4 + 3.5), openHat, 0.6, seedFor(piece, 7u + static_cast<std::uint64_t>(bar)));
    }
    addSettled(set.right, Reverb(0.3, 0.4), 0.1);

    finishSet(set);
    return set;
}

}  // namespace earshot::sound
