// What makes the music loops seamless: a note that rings past the end of a
// loop comes back in at its start, and every note starts and ends at zero.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "sounds/effects.h"
#include "sounds/envelope.h"
#include "sounds/instruments.h"
#include "sounds/signal.h"

namespace earshot::sound::test {
namespace {

TEST(LoopMixing, WrapsWhatRunsPastTheEndBackToTheStart) {
    Signal loop(10, 0.0);
    mixWrapped(loop, {1.0, 2.0, 3.0, 4.0}, 8, 0.5);
    EXPECT_EQ(loop, (Signal{1.5, 2.0, 0, 0, 0, 0, 0, 0, 0.5, 1.0}));
    mixWrapped(loop, {1.0}, 23, 1.0);  // a start beyond the end counts round the loop
    EXPECT_DOUBLE_EQ(loop[3], 1.0);
    EXPECT_THROW(mixWrapped(loop, Signal(11, 0.0), 0, 1.0), std::invalid_argument);
}

TEST(LoopMixing, AnEchoSettledRoundTheLoopIsItselfALoop) {
    // One click in a loop of 1000 samples, an echo of 300 samples: the
    // settled repeats land at 300, 600, 900, 200 (wrapped), ...
    Signal loop(1000, 0.0);
    loop[0] = 1.0;
    addSettled(loop, Echo(300, 0.5, 20000.0), 1.0, 4);
    EXPECT_GT(loop[300], 0.5);
    EXPECT_GT(loop[200], 0.01) << "the fourth repeat must come back in at the start";
    EXPECT_LT(loop[200], loop[900]);
}

TEST(NoteShape, StartsAndEndsAtZero) {
    const Envelope envelope{0.01, 0.3, 0.5, 0.1};
    const Signal curve = envelope.render(0.25);
    ASSERT_EQ(curve.size(), samplesFor(envelope.length(0.25)));
    EXPECT_LT(std::fabs(curve.front()), 1e-12);  // far below the smallest step of a 16-bit sample
    EXPECT_LT(std::fabs(curve.back()), 1e-12);
    EXPECT_NEAR(*std::max_element(curve.begin(), curve.end()), 1.0, 1e-3);
}

TEST(NoteShape, EveryInstrumentStartsAndEndsSilent) {
    const Note note{440.0, 0.3, 0.8, 1234};
    for (const Instrument& instrument :
         {Instrument(harp), Instrument(electricPiano), Instrument(marimba), Instrument(organ), Instrument(chipLead),
          Instrument(chipArp), Instrument(saxophone), Instrument(celesta), Instrument(brass), Instrument(softPad),
          Instrument(roundBass), Instrument(discoBass), Instrument(uprightBass), Instrument(acidBass),
          Instrument(subBass), Instrument(mutedGuitar)}) {
        const Signal sound = instrument(note);
        ASSERT_FALSE(sound.empty());
        EXPECT_LT(std::fabs(sound.front()), 1e-3);
        EXPECT_LT(std::fabs(sound.back()), 1e-6);
        EXPECT_GT(peakOf(sound), 0.05) << "an instrument came out nearly silent";
    }
}

}  // namespace
}  // namespace earshot::sound::test
