// The written score: note names, bar lines that must add up, chords and
// drum steps, so that a slip in the music fails the build instead of
// putting a wrong note into a loop.
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <vector>

#include "sounds/score.h"
#include "sounds/timeline.h"

namespace earshot::sound::test {
namespace {

struct PitchCase {
    const char* name;
    int midi;
};

std::ostream& operator<<(std::ostream& out, const PitchCase& c) { return out << c.name; }

class PitchNameTest : public ::testing::TestWithParam<PitchCase> {};

TEST_P(PitchNameTest, GivesItsMidiNumber) { EXPECT_EQ(pitchOf(GetParam().name), GetParam().midi) << GetParam().name; }

const PitchCase pitchCases[] = {
    {"A4", 69}, {"C4", 60}, {"C#5", 73}, {"Bb1", 34}, {"F#2", 42},
    {"Cb5", 71},  // the octave belongs to the letter: Cb5 is the B below C5
    {"B#4", 72},  // and B#4 is C5
    {"E-1", 4},   // an octave below the lowest: still counted, not refused
};

INSTANTIATE_TEST_SUITE_P(Names, PitchNameTest, ::testing::ValuesIn(pitchCases),
                         [](const ::testing::TestParamInfo<PitchCase>& param) {
                             std::string name = param.param.name;
                             for (char& c : name) {
                                 c = c == '#' ? 's' : c == '-' ? 'm' : c;
                             }
                             return name;
                         });

TEST(Score, RefusesWhatIsNotANote) {
    EXPECT_THROW(pitchOf("H4"), std::runtime_error);
    EXPECT_THROW(pitchOf("C"), std::runtime_error);
    EXPECT_THROW(pitchOf("C4.5"), std::runtime_error);
    EXPECT_THROW(melody("C5 D5:1 |", 4), std::runtime_error);  // no length
    EXPECT_THROW(melody("C5:0 |", 4), std::runtime_error);
}

TEST(Score, PlacesNotesAfterRestsAndKeepsVelocities) {
    const std::vector<NoteEvent> notes = melody("C5:1 r:.5 D5:1.5@0.4 E5:2/3 F5:1/3 |", 4);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_DOUBLE_EQ(notes[1].beat, 1.5);
    EXPECT_EQ(notes[1].midi, 74);
    EXPECT_DOUBLE_EQ(notes[1].velocity, 0.4);
    EXPECT_NEAR(notes[3].beat, 3.0 + 2.0 / 3.0, 1e-12);
}

TEST(Score, RefusesABarThatDoesNotAddUp) {
    EXPECT_NO_THROW(melody("C5:2 D5:2 | E5:4 |", 4));
    EXPECT_THROW(melody("C5:2 D5:1 | E5:4 |", 4), std::runtime_error);  // first bar is short
    EXPECT_THROW(melody("C5:2 D5:2 | E5:3", 4), std::runtime_error);     // last bar is short
    EXPECT_NO_THROW(melody("C5:1 D5:2 |", 3));
}

TEST(Score, SpellsChordsAndTheirInversions) {
    const std::vector<Chord> progression = chords("Dm Bb7 Ebmaj7");
    ASSERT_EQ(progression.size(), 3u);
    EXPECT_EQ(voicing(progression[0], pitchOf("D4"), 3), (std::vector<int>{62, 65, 69}));
    // From D4 up, B flat seven starts on its third: D F Ab Bb.
    EXPECT_EQ(voicing(progression[1], pitchOf("D4"), 4), (std::vector<int>{62, 65, 68, 70}));
    EXPECT_EQ(rootAbove(progression[2], pitchOf("A1")), pitchOf("Eb2"));
    EXPECT_THROW(chords("Cmaj9"), std::runtime_error);
}

TEST(Score, ReadsDrumSteps) {
    const std::vector<Hit> hits = steps("X.x|o", 0.25, 1.0);
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_DOUBLE_EQ(hits[0].beat, 1.0);
    EXPECT_DOUBLE_EQ(hits[1].beat, 1.5);
    EXPECT_DOUBLE_EQ(hits[2].beat, 1.75);
    EXPECT_GT(hits[0].velocity, hits[1].velocity);
    EXPECT_GT(hits[1].velocity, hits[2].velocity);
    EXPECT_THROW(steps("X?", 0.25), std::runtime_error);
}

TEST(Timeline, LoopsAreAWholeNumberOfBeats) {
    const Timeline time{100, 4, 8};
    EXPECT_EQ(time.beatSamples(), 26460u);
    EXPECT_EQ(time.loopSamples(), 26460u * 32u);
    EXPECT_THROW((Timeline{128, 4, 8}.beatSamples()), std::invalid_argument);  // 20671.875 samples a beat
}

TEST(Timeline, SwingsTheOffBeatsAndWrapsRoundTheLoop) {
    Timeline time{120, 4, 1, 2.0 / 3.0, 1.0};
    time.leadSeconds = 0.0;
    EXPECT_EQ(time.sampleAt(0.0), 0u);
    EXPECT_EQ(time.sampleAt(0.5), 14700u);  // two thirds of the 22050 samples of a beat
    EXPECT_EQ(time.sampleAt(1.0), 22050u);
    EXPECT_EQ(time.sampleAt(4.0), 0u);  // the next loop's downbeat is this one's
}

}  // namespace
}  // namespace earshot::sound::test
