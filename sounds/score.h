// A compact way to write the music down: melodies as "D5:1 F5:.5 r:1" (pitch
// and octave, then length in beats, optionally "@velocity"), chords as
// "Dm Bb F C7", drum parts as step patterns "X.x.o..." (X loud, x normal,
// o soft, . rest; "|" and spaces only help the eye there).
#pragma once

#include <string_view>
#include <vector>

namespace earshot::sound {

struct NoteEvent {
    double beat;      // onset, in beats from the start of the loop
    double beats;     // length
    int midi;         // pitch, 60 = middle C
    double velocity;  // 0..1
};

struct Hit {
    double beat;
    double velocity;
};

struct Chord {
    int root;                    // pitch class, 0 = C
    std::vector<int> intervals;  // semitones above the root, starting with 0
};

// MIDI number of a name like "C#5" or "Bb2".
int pitchOf(std::string_view name);

// The notes of a melody written from beat 0 on; rests ("r:1") only move time.
// A "|" marks a bar line: the notes before it must fill whole bars of
// `beatsPerBar`, and the whole melody must too, or the score is wrong.
std::vector<NoteEvent> melody(std::string_view text, int beatsPerBar);

// A chord symbol per bar, e.g. "Dm Bb F C7 Am7 Ebmaj7 Bdim".
std::vector<Chord> chords(std::string_view text);

// The chord's notes from `lowest` up, `count` of them, going on into the next octaves.
std::vector<int> voicing(const Chord& chord, int lowest, int count);

// The chord's root in the octave from `lowest` up.
int rootAbove(const Chord& chord, int lowest);

// Hits of a step pattern, each step `stepBeats` long, from `startBeat` on.
std::vector<Hit> steps(std::string_view pattern, double stepBeats, double startBeat = 0.0);

}  // namespace earshot::sound
