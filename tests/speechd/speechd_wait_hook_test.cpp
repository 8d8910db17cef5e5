// The speech service's voice runs the program's wait hook while it waits
// for the end of its message, so that the program can end in the middle
// of one (a player's Escape), against a private service of the test's own.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "private_speech_server.h"
#include "speech/speech_wait.h"
#include "speech/speechd/speechd_voice.h"

namespace earshot {
namespace {

using Clock = std::chrono::steady_clock;
using test::PrivateSpeechServer;

class SpeechdWaitHookTest : public ::testing::Test {
protected:
    SpeechdWaitHookTest() { server.useFromThisProcess(); }
    ~SpeechdWaitHookTest() override { setSpeechWaitHook({}); }

    PrivateSpeechServer server;
};

TEST_F(SpeechdWaitHookTest, RunsAtEveryLookAtTheServiceUntilTheMessageEnds) {
    SpeechdLimits limits;
    SpeechdVoice voice(false, limits);
    int calls = 0;
    Clock::time_point last;
    setSpeechWaitHook([&] {
        ++calls;
        last = Clock::now();
    });
    const auto start = Clock::now();
    voice.Speak("The front left speaker is locked on the x axis, and the score is ninety five.", 0);
    const auto end = Clock::now();
    const double call = std::chrono::duration<double>(end - start).count();
    ASSERT_GT(call, 1.0) << "the sentence should take seconds to say\n" << server.logTail();
    const auto looks = static_cast<int>(call * 1000.0 / static_cast<double>(limits.aliveCheck.count()));
    EXPECT_GE(calls, looks / 2) << "over a " << call << " s call, one look every "
                                << limits.aliveCheck.count() << " ms";
    EXPECT_LT(std::chrono::duration<double>(end - last).count(), 0.5)
        << "the hook stopped running long before the message ended";
}

TEST_F(SpeechdWaitHookTest, AHookThatThrowsEndsTheWaitAtOnce) {
    // The program's hook ends the process instead; a throw shows as well
    // that it runs in the middle of the message, not after it.
    SpeechdVoice voice(false, SpeechdLimits{});
    struct Quit {};
    const auto start = Clock::now();
    setSpeechWaitHook([start] {
        if (Clock::now() - start > std::chrono::milliseconds(300)) {
            throw Quit{};
        }
    });
    EXPECT_THROW(voice.Speak("The front left speaker is locked on the x axis, and the score is ninety five.", 0),
                 Quit);
    const double waited = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_LT(waited, 1.0) << "the wait went on after the hook threw";
}

}  // namespace
}  // namespace earshot
