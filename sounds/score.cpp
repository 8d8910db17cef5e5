#include "score.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

namespace earshot::sound {

namespace {

std::runtime_error scoreError(std::string_view what, std::string_view where) {
    return std::runtime_error(std::string(what) + ": \"" + std::string(where) + "\"");
}

std::vector<std::string_view> spaceSeparated(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        std::size_t j = i;
        while (j < text.size() && !std::isspace(static_cast<unsigned char>(text[j]))) {
            ++j;
        }
        if (j > i) {
            out.push_back(text.substr(i, j - i));
        }
        i = j;
    }
    return out;
}

double numberOf(std::string_view text, std::string_view word) {
    // Accepts "1", ".5", "1.5" and fractions like "2/3".
    const std::size_t slash = text.find('/');
    if (slash != std::string_view::npos) {
        return numberOf(text.substr(0, slash), word) / numberOf(text.substr(slash + 1), word);
    }
    std::string padded(text);
    if (!padded.empty() && padded.front() == '.') {
        padded.insert(padded.begin(), '0');
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(padded.data(), padded.data() + padded.size(), value);
    if (error != std::errc() || end != padded.data() + padded.size() || padded.empty()) {
        throw scoreError("not a number in the score", word);
    }
    return value;
}

// Semitones above C of a letter and its accidentals ("Bb" is 10, "Cb" is -1);
// `used` becomes the count of characters read.
int semitonesOf(std::string_view name, std::size_t& used) {
    static constexpr int naturals[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') {
        throw scoreError("not a note name", name);
    }
    int semitones = naturals[name[0] - 'A'];
    used = 1;
    while (used < name.size() && (name[used] == '#' || name[used] == 'b')) {
        semitones += name[used] == '#' ? 1 : -1;
        ++used;
    }
    return semitones;
}

int pitchClassOf(std::string_view name, std::size_t& used) { return (semitonesOf(name, used) % 12 + 12) % 12; }

}  // namespace

int pitchOf(std::string_view name) {
    std::size_t used = 0;
    const int semitones = semitonesOf(name, used);
    // The octave belongs to the letter: Cb5 is B4, B#4 is C5.
    const double octave = numberOf(name.substr(used), name);
    if (octave != std::floor(octave)) {
        throw scoreError("not an octave", name);
    }
    return 12 * (static_cast<int>(octave) + 1) + semitones;
}

std::vector<NoteEvent> melody(std::string_view text, int beatsPerBar) {
    std::vector<NoteEvent> notes;
    double beat = 0.0;
    const auto checkBarLine = [&](std::string_view where) {
        const double bars = beat / beatsPerBar;
        if (std::fabs(bars - std::round(bars)) > 1e-9) {
            const std::string_view tail = where.size() > 48 ? where.substr(where.size() - 48) : where;
            throw scoreError("the bar does not add up to " + std::to_string(beatsPerBar) + " beats", tail);
        }
    };
    for (const std::string_view word : spaceSeparated(text)) {
        if (word == "|") {
            checkBarLine(text.substr(0, static_cast<std::size_t>(word.data() - text.data())));
            continue;
        }
        const std::size_t colon = word.find(':');
        if (colon == std::string_view::npos) {
            throw scoreError("a note needs a length after ':'", word);
        }
        const std::string_view pitch = word.substr(0, colon);
        std::string_view length = word.substr(colon + 1);
        double velocity = 0.8;
        const std::size_t at = length.find('@');
        if (at != std::string_view::npos) {
            velocity = numberOf(length.substr(at + 1), word);
            length = length.substr(0, at);
        }
        const double beats = numberOf(length, word);
        if (!(beats > 0.0)) {
            throw scoreError("a note must last a while", word);
        }
        if (pitch != "r") {
            notes.push_back({beat, beats, pitchOf(pitch), velocity});
        }
        beat += beats;
    }
    checkBarLine(text);
    return notes;
}

std::vector<Chord> chords(std::string_view text) {
    std::vector<Chord> out;
    for (const std::string_view word : spaceSeparated(text)) {
        if (word == "|") {
            continue;
        }
        std::size_t used = 0;
        const int root = pitchClassOf(word, used);
        const std::string_view quality = word.substr(used);
        std::vector<int> intervals;
        if (quality.empty()) {
            intervals = {0, 4, 7};
        } else if (quality == "m") {
            intervals = {0, 3, 7};
        } else if (quality == "7") {
            intervals = {0, 4, 7, 10};
        } else if (quality == "m7") {
            intervals = {0, 3, 7, 10};
        } else if (quality == "maj7") {
            intervals = {0, 4, 7, 11};
        } else if (quality == "sus4") {
            intervals = {0, 5, 7};
        } else if (quality == "dim") {
            intervals = {0, 3, 6};
        } else {
            throw scoreError("unknown chord", word);
        }
        out.push_back({root, intervals});
    }
    return out;
}

std::vector<int> voicing(const Chord& chord, int lowest, int count) {
    std::vector<int> notes;
    for (int octaveBase = lowest - lowest % 12 - 12; static_cast<int>(notes.size()) < count; octaveBase += 12) {
        for (const int interval : chord.intervals) {
            const int note = octaveBase + chord.root + interval;
            if (note >= lowest && static_cast<int>(notes.size()) < count) {
                notes.push_back(note);
            }
        }
    }
    return notes;
}

int rootAbove(const Chord& chord, int lowest) {
    int note = lowest - ((lowest - chord.root) % 12 + 12) % 12;
    if (note < lowest) {
        note += 12;
    }
    return note;
}

std::vector<Hit> steps(std::string_view pattern, double stepBeats, double startBeat) {
    std::vector<Hit> hits;
    double beat = startBeat;
    for (const char c : pattern) {
        switch (c) {
        case 'X': hits.push_back({beat, 1.0}); break;
        case 'x': hits.push_back({beat, 0.72}); break;
        case 'o': hits.push_back({beat, 0.42}); break;
        case '.': break;
        case ' ':
        case '|': continue;
        default: throw scoreError("unknown step in a drum pattern", pattern);
        }
        beat += stepBeats;
    }
    return hits;
}

}  // namespace earshot::sound
