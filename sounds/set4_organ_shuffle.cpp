// Set 4: a twelve-bar blues in B flat, 168 bpm, shuffled. A driven organ
// plays the riffs over its own held chords; the other side is a walking
// double bass with a swinging ride cymbal and hi-hat on two and four.
#include "arrangement.h"
#include "effects.h"
#include "mastering.h"
#include "music_sets.h"
#include "random.h"

namespace earshot::sound {

MusicSet organShuffle() {
    constexpr std::uint64_t piece = 4;
    const Timeline time{168, 4, 12, 2.0 / 3.0, 1.0};
    const std::vector<Chord> progression = chords("Bb7 Eb7 Bb7 Bb7 Eb7 Eb7 Bb7 Bb7 F7 Eb7 Bb7 F7");
    MusicSet set{Signal(time.loopSamples(), 0.0), Signal(time.loopSamples(), 0.0)};

    const std::vector<NoteEvent> riffs = melody(R"(
        F5:.5 Ab5:.5 Bb5:.5 Ab5:.5 F5:1 r:1 | Eb5:.5 G5:.5 Bb5:.5 Db6:.5 C6:1 Bb5:1 |
        Bb5:.5 Ab5:.5 F5:.5 Db5:.5 D5:1 r:1 | r:1 Bb4:.5 D5:.5 F5:.5 Ab5:1.5 |
        G5:1.5 Eb5:.5 G5:.5 Bb5:.5 Db6:1 | C6:.5 Bb5:.5 Gb5:.5 G5:.5 Eb5:1 r:1 |
        F5:.5 Ab5:.5 Bb5:.5 Ab5:.5 F5:.5 Db5:.5 D5:1 | r:2 F5:.5 G5:.5 A5:1 |
        C6:1.5 A5:.5 F5:.5 A5:.5 C6:1 | Db6:1 Bb5:.5 G5:.5 Eb5:1 r:1 |
        D5:.5 F5:.5 Bb5:.5 D6:.5 C6:.5 Bb5:.5 F5:1 | r:1 C5:.5 Eb5:.5 E5:1.5 r:.5 |)",
                                                time.beatsPerBar);
    Signal organPart(time.loopSamples(), 0.0);
    playNotes(organPart, time, riffs, organ, Touch{1.0, 0.85}, seedFor(piece, 1));
    playNotes(organPart, time, chordHits(progression, time, pitchOf("A3"), 4, {0.0}, 4.0, 0.4), organ,
              Touch{0.3, 0.95, 0.0}, seedFor(piece, 2));
    drive(organPart, 1.5);
    set.left = organPart;
    addSettled(set.left, Reverb(0.5, 0.35), 0.25);

    std::vector<NoteEvent> walk;
    for (int b = 0; b < time.bars; ++b) {
        const Chord& chord = progression[static_cast<std::size_t>(b)];
        const Chord& next = progression[static_cast<std::size_t>((b + 1) % time.bars)];
        const int root = rootAbove(chord, pitchOf("E1"));
        const int nextRoot = rootAbove(next, pitchOf("E1"));
        // Up through the chord and a step into the next bar's root, from above
        // or below by turns.
        const int approach = b % 2 == 0 ? nextRoot - 1 : nextRoot + 1;
        const int second = b % 4 == 1 ? root + 9 : root + 4;  // the sixth now and then, else the third
        const double base = b * 4.0;
        walk.push_back({base, 1.0, root, 0.95});
        walk.push_back({base + 1.0, 1.0, second, 0.8});
        walk.push_back({base + 2.0, 1.0, root + 7, 0.85});
        walk.push_back({base + 3.0, 1.0, approach, 0.8});
    }
    playNotes(set.right, time, walk, uprightBass, Touch{1.0, 0.9}, seedFor(piece, 3));
    playHits(set.right, time, everyBar(time, "x.Xox.Xo"), ride, 0.8, seedFor(piece, 4));
    playHits(set.right, time, everyBar(time, "..x...x."), closedHat, 0.5, seedFor(piece, 5));
    playHits(set.right, time, everyBar(time, "o.o.o.o."),
             [](double v, std::uint64_t s) { return kick(v, s, KickTuning{110.0, 50.0, 0.03, 0.18}); }, 0.35,
             seedFor(piece, 6));
    std::vector<Hit> comping;
    for (int b = 0; b < time.bars; ++b) {
        // A soft snare answer on the off-beat, late in one bar, early in the next.
        comping.push_back({b * 4.0 + (b % 2 == 0 ? 3.5 : 1.5), 0.42});
    }
    playHits(set.right, time, comping, snare, 0.3, seedFor(piece, 7));
    addSettled(set.right, Reverb(0.4, 0.35), 0.15);

    finishSet(set);
    return set;
}

}  // namespace earshot::sound
