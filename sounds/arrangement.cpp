#include "arrangement.h"

#include <algorithm>
#include <stdexcept>

#include "dsp_math.h"
#include "random.h"

namespace earshot::sound {

void playNotes(Signal& loop, const Timeline& timeline, const std::vector<NoteEvent>& notes,
               const Instrument& instrument, const Touch& touch, std::uint64_t seed, int transpose) {
    Random random(seed);
    std::uint64_t index = 0;
    for (const NoteEvent& event : notes) {
        const double velocity = std::clamp(event.velocity * (1.0 + touch.unevenness * random.bipolar()), 0.05, 1.0);
        const Note note{midiFrequency(event.midi + transpose), timeline.secondsFor(event.beats) * touch.legato,
                        velocity, seedFor(seed, index++)};
        mixWrapped(loop, instrument(note), timeline.sampleAt(event.beat), touch.gain);
    }
}

void playHits(Signal& loop, const Timeline& timeline, const std::vector<Hit>& hits, const Drum& drum, double gain,
              std::uint64_t seed) {
    Random random(seed);
    std::uint64_t index = 0;
    for (const Hit& hit : hits) {
        const double velocity = std::clamp(hit.velocity * (1.0 + 0.06 * random.bipolar()), 0.05, 1.0);
        mixWrapped(loop, drum(velocity, seedFor(seed, index++)), timeline.sampleAt(hit.beat), gain);
    }
}

std::vector<Hit> everyBar(const Timeline& timeline, std::string_view pattern, int firstBar, int lastBar) {
    const std::vector<Hit> bar = steps(pattern, 1.0);
    const auto stepsInPattern = static_cast<double>(std::count_if(pattern.begin(), pattern.end(), [](char c) {
        return c != ' ' && c != '|';
    }));
    const double stepBeats = timeline.beatsPerBar / stepsInPattern;
    std::vector<Hit> hits;
    const int last = lastBar < 0 ? timeline.bars - 1 : lastBar;
    for (int b = firstBar; b <= last; ++b) {
        for (const Hit& h : bar) {
            hits.push_back({b * timeline.beatsPerBar + h.beat * stepBeats, h.velocity});
        }
    }
    return hits;
}

namespace {

const Chord& chordOfBar(const std::vector<Chord>& progression, const Timeline& timeline, int bar) {
    if (static_cast<int>(progression.size()) != timeline.bars) {
        throw std::invalid_argument("a chord progression needs one chord per bar");
    }
    return progression[static_cast<std::size_t>(bar)];
}

}  // namespace

std::vector<NoteEvent> bassLine(const std::vector<Chord>& progression, const Timeline& timeline, int lowest,
                                const std::vector<BassStep>& figure) {
    std::vector<NoteEvent> notes;
    for (int b = 0; b < timeline.bars; ++b) {
        const int root = rootAbove(chordOfBar(progression, timeline, b), lowest);
        for (const BassStep& step : figure) {
            notes.push_back({b * timeline.beatsPerBar + step.beat, step.beats, root + step.interval, step.velocity});
        }
    }
    return notes;
}

std::vector<NoteEvent> chordHits(const std::vector<Chord>& progression, const Timeline& timeline, int lowest,
                                 int count, const std::vector<double>& beatsInBar, double beats, double velocity) {
    std::vector<NoteEvent> notes;
    for (int b = 0; b < timeline.bars; ++b) {
        const std::vector<int> tones = voicing(chordOfBar(progression, timeline, b), lowest, count);
        for (const double beat : beatsInBar) {
            for (const int tone : tones) {
                notes.push_back({b * timeline.beatsPerBar + beat, beats, tone, velocity});
            }
        }
    }
    return notes;
}

std::vector<NoteEvent> rolled(const std::vector<NoteEvent>& notes, double minimumBeats, double strokeBeats) {
    std::vector<NoteEvent> out;
    for (const NoteEvent& note : notes) {
        if (note.beats < minimumBeats) {
            out.push_back(note);
            continue;
        }
        int stroke = 0;
        for (double beat = 0.0; beat < note.beats - 1e-9; beat += strokeBeats, ++stroke) {
            // The first stroke sounds the note; the rest keep it alive, softer.
            const double velocity = stroke == 0 ? note.velocity : note.velocity * (stroke % 2 == 1 ? 0.55 : 0.65);
            out.push_back({note.beat + beat, strokeBeats, note.midi, velocity});
        }
    }
    return out;
}

std::vector<NoteEvent> brokenChords(const std::vector<Chord>& progression, const Timeline& timeline, int lowest,
                                    const std::vector<int>& order, double stepBeats, double velocity) {
    const int highestIndex = *std::max_element(order.begin(), order.end());
    std::vector<NoteEvent> notes;
    for (int b = 0; b < timeline.bars; ++b) {
        const std::vector<int> tones = voicing(chordOfBar(progression, timeline, b), lowest, highestIndex + 1);
        int step = 0;
        for (double beat = 0.0; beat < timeline.beatsPerBar - 1e-9; beat += stepBeats, ++step) {
            const int tone = tones[static_cast<std::size_t>(order[static_cast<std::size_t>(step) % order.size()])];
            notes.push_back({b * timeline.beatsPerBar + beat, stepBeats, tone, velocity});
        }
    }
    return notes;
}

}  // namespace earshot::sound
