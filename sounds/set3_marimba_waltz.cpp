// Set 3: E minor, 150 bpm in three, sixteen bars. A marimba plays the tune,
// rolling its long notes, over its own rippling chords; the other side is an
// oom-pah-pah of plucked bass and muted guitar with a tambourine.
#include "arrangement.h"
#include "effects.h"
#include "music_sets.h"
#include "random.h"

namespace earshot::sound {

MusicSet marimbaWaltz() {
    constexpr std::uint64_t piece = 3;
    const Timeline time{150, 3, 16};
    const std::vector<Chord> progression = chords("Em Em Am Am D D G B7 Em Em Am C Am B7 Em B7");
    MusicSet set{Signal(time.loopSamples(), 0.0), Signal(time.loopSamples(), 0.0)};

    const std::vector<NoteEvent> tune = melody(R"(
        E5:1 G5:1 B5:1 | E6:1.5 D6:.5 B5:1 | C6:1 A5:1 E5:1 | A5:2 G5:.5 A5:.5 |
        F#5:1 A5:1 D6:1 | F#6:1.5 E6:.5 D6:1 | B5:1 D6:1 G5:1 | F#5:2 D#5:1 |
        E5:1 G5:1 B5:1 | E6:1 F#6:.5 G6:.5 E6:1 | C6:1.5 B5:.5 A5:1 | G5:1 E5:1 C6:1 |
        A5:1 C6:1 E6:1 | D#6:1 B5:1 A5:1 | B5:1 G5:1 E5:1 | F#5:1 D#5:1 B4:1 |)",
                                               time.beatsPerBar);
    playNotes(set.left, time, rolled(tune, 1.5, 0.25), marimba, Touch{1.0, 1.0}, seedFor(piece, 1));
    playNotes(set.left, time, tune, celesta, Touch{0.8, 1.0}, seedFor(piece, 8), 12);  // a glint an octave up
    playNotes(set.left, time, brokenChords(progression, time, pitchOf("E4"), {0, 1, 2, 1, 2, 1}, 0.5, 0.45), marimba,
              Touch{0.25, 1.0}, seedFor(piece, 2));
    addSettled(set.left, Reverb(0.55, 0.3), 0.3);

    std::vector<NoteEvent> bass;
    for (int b = 0; b < time.bars; ++b) {
        const Chord& chord = progression[static_cast<std::size_t>(b)];
        // Root in odd bars, fifth below in even bars: the old dance-band walk.
        const int root = rootAbove(chord, pitchOf("E2"));
        bass.push_back({b * 3.0, 1.0, b % 2 == 0 ? root : root - 5, 0.9});
    }
    playNotes(set.right, time, bass, uprightBass, Touch{0.8, 0.9}, seedFor(piece, 3));
    playNotes(set.right, time, chordHits(progression, time, pitchOf("G3"), 3, {1.0, 2.0}, 0.5, 0.55), mutedGuitar,
              Touch{0.45, 0.6}, seedFor(piece, 4));
    playHits(set.right, time, everyBar(time, "x....."),
             [](double v, std::uint64_t s) { return kick(v, s, KickTuning{120.0, 50.0, 0.03, 0.2}); }, 0.5,
             seedFor(piece, 5));
    playHits(set.right, time, everyBar(time, "..x.x."), tambourine, 1.0, seedFor(piece, 6));
    playHits(set.right, time, everyBar(time, "oxoxox"), shaker, 0.8, seedFor(piece, 7));
    addSettled(set.right, Reverb(0.35, 0.35), 0.15);

    finishSet(set);
    return set;
}

}  // namespace earshot::sound
