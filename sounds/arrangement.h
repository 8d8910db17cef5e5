// Putting a part together: notes and drum hits placed on a timeline and
// mixed into a loop, each with its own seed and a little human unevenness.
#pragma once

#include <cstdint>
#include <vector>

#include "drums.h"
#include "instruments.h"
#include "score.h"
#include "timeline.h"

namespace earshot::sound {

struct Touch {
    double gain = 1.0;
    double legato = 0.9;    // how much of its written length a note is held
    double unevenness = 0.05;  // random spread of the velocities
};

// Renders every note with `instrument` and mixes it in at its beat,
// `transpose` semitones from where it is written.
void playNotes(Signal& loop, const Timeline& timeline, const std::vector<NoteEvent>& notes,
               const Instrument& instrument, const Touch& touch, std::uint64_t seed, int transpose = 0);

void playHits(Signal& loop, const Timeline& timeline, const std::vector<Hit>& hits, const Drum& drum, double gain,
              std::uint64_t seed);

// The same step pattern (its steps share the bar evenly) in the bars from
// `firstBar` to `lastBar` (counted from 0; -1 = the last bar).
std::vector<Hit> everyBar(const Timeline& timeline, std::string_view pattern, int firstBar = 0, int lastBar = -1);

// One step of a bass figure: `interval` semitones above the bar's root.
struct BassStep {
    double beat;
    double beats;
    int interval;
    double velocity;
};

// The figure played in every bar on the root of that bar's chord, the root
// taken in the octave from `lowest` up.
std::vector<NoteEvent> bassLine(const std::vector<Chord>& progression, const Timeline& timeline, int lowest,
                                const std::vector<BassStep>& figure);

// Block chords: the bar's chord, `count` notes from `lowest` up, struck at
// each of `beatsInBar`, each `beats` long.
std::vector<NoteEvent> chordHits(const std::vector<Chord>& progression, const Timeline& timeline, int lowest,
                                 int count, const std::vector<double>& beatsInBar, double beats, double velocity);

// A mallet roll: every note of `minimumBeats` or longer becomes repeated
// strokes `strokeBeats` apart, so a marimba can hold it.
std::vector<NoteEvent> rolled(const std::vector<NoteEvent>& notes, double minimumBeats, double strokeBeats);

// Broken chords: per bar, the chord's voicing from `lowest` played in the
// order `order` (indices into the voicing), each note `stepBeats` long.
std::vector<NoteEvent> brokenChords(const std::vector<Chord>& progression, const Timeline& timeline, int lowest,
                                    const std::vector<int>& order, double stepBeats, double velocity);

}  // namespace earshot::sound
