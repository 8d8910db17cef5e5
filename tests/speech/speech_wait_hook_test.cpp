// The espeak-ng voice runs the program's wait hook while it waits for its
// speech to be heard, all through the sentence, so that the program can
// end in the middle of one (a player's Escape).
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>

#include "speech/espeak/espeak_voice.h"
#include "speech/speech_wait.h"

namespace earshot {
namespace {

using Clock = std::chrono::steady_clock;

const std::string sentence = "Front left x axis locked. Rear right y axis locked.";

class SpeechWaitHookTest : public ::testing::Test {
protected:
    ~SpeechWaitHookTest() override { setSpeechWaitHook({}); }
};

TEST_F(SpeechWaitHookTest, RunsAgainAndAgainWhileTheSentenceIsHeard) {
    const auto voice = createEspeakVoice();
    int calls = 0;
    Clock::time_point first;
    Clock::time_point last;
    setSpeechWaitHook([&] {
        if (calls++ == 0) {
            first = Clock::now();
        }
        last = Clock::now();
    });
    const auto start = Clock::now();
    voice->Speak(sentence, SVSFDefault);
    const auto end = Clock::now();
    const double audio = dynamic_cast<EspeakVoice&>(*voice).lastUtterance().seconds();
    ASSERT_GT(audio, 1.0) << "the sentence should take over a second to say";
    EXPECT_GE(calls, 100) << "over " << audio << " s of speech";
    // From near the start of the wait to near its end.
    const double span = std::chrono::duration<double>(last - first).count();
    const double call = std::chrono::duration<double>(end - start).count();
    EXPECT_GT(span, 0.8 * audio) << "the hook ran over " << span << " s of a " << call << " s call";
}

TEST_F(SpeechWaitHookTest, AHookThatEndsTheProcessEndsItInTheMiddleOfTheSentence) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const auto voice = createEspeakVoice();
            const auto start = Clock::now();
            setSpeechWaitHook([start] {
                if (Clock::now() - start > std::chrono::milliseconds(300)) {
                    ::_exit(7);
                }
            });
            voice->Speak(sentence, SVSFDefault);
            ::_exit(3);  // the whole sentence was waited for
        },
        ::testing::ExitedWithCode(7), "");
}

}  // namespace
}  // namespace earshot
