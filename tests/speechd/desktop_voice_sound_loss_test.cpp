// The desktop's speech service plays through the same sound server as the
// game: while the game's sound output is lost, no sentence is sent to it,
// one it is saying is cancelled so that it is not said later, and a service
// that failed is tried again once the sound is back.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "private_speech_server.h"
#include "recording_voice.h"
#include "speech/speechd/desktop_voice.h"
#include "speech/speechd/speechd_voice.h"

namespace earshot {
namespace {

using Clock = std::chrono::steady_clock;
using test::PrivateSpeechServer;
using test::RecordingVoiceFactory;
using Texts = std::vector<std::string>;

const std::string longSentence =
    "The front left speaker is locked on the x axis, the front right speaker is locked on the y axis, "
    "and the score is ninety five.";

// The sound output as a test sets it.
struct SoundState {
    std::atomic<bool> lost{false};
    std::atomic<int> returns{0};

    DesktopVoiceOptions options() {
        DesktopVoiceOptions options;
        options.autospawn = false;
        options.soundLost = [this] { return lost.load(); };
        options.soundReturns = [this] { return returns.load(); };
        return options;
    }
};

void waitUntilHeard(const PrivateSpeechServer& server) {
    const auto limit = Clock::now() + std::chrono::seconds(5);
    while (server.played().empty() && Clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

class DesktopVoiceSoundLossTest : public ::testing::Test {
protected:
    DesktopVoiceSoundLossTest() { server.useFromThisProcess(); }

    PrivateSpeechServer server;
    RecordingVoiceFactory builtIn;
    SoundState sound;
};

TEST_F(DesktopVoiceSoundLossTest, ASentenceWhileTheSoundIsLostIsNeitherSentNorSaidLater) {
    DesktopVoice voice(sound.options(), builtIn.factory());
    ASSERT_TRUE(voice.speaksThroughService());
    sound.lost = true;
    const auto called = Clock::now();
    voice.Speak("Rear pair selected.", 0);
    EXPECT_LT(Clock::now() - called, std::chrono::milliseconds(100));
    sound.lost = false;
    voice.Speak("Front pair selected.", 0);

    EXPECT_TRUE(voice.speaksThroughService());
    EXPECT_TRUE(builtIn.voice->spoken.empty());
    ASSERT_NE(voice.service(), nullptr);
    EXPECT_EQ(voice.service()->events().history().size(), 1U)
        << "the sentence given up was sent after all";
}

TEST_F(DesktopVoiceSoundLossTest, ASentenceBeingSaidWhenTheSoundIsLostIsCancelled) {
    DesktopVoice voice(sound.options(), builtIn.factory());
    ASSERT_TRUE(voice.speaksThroughService());
    Clock::time_point lostAt{};
    std::jthread lose([&] {
        waitUntilHeard(server);
        lostAt = Clock::now();
        sound.lost = true;
    });
    voice.Speak(longSentence, 0);
    const auto returned = Clock::now();
    lose.join();

    const double after = std::chrono::duration<double>(returned - lostAt).count();
    EXPECT_LT(after, 0.5) << "the call went on " << after << " s after the sound was lost";
    EXPECT_TRUE(voice.speaksThroughService()) << "the connection was dropped, not the sentence";
    EXPECT_TRUE(builtIn.voice->spoken.empty()) << "the built-in voice said what could not be heard";

    // The cancelled sentence stays unsaid: no piece of it starts once the
    // cancel has had time to reach the service's module. The next one is heard.
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    const auto settled = returned + std::chrono::milliseconds(400);
    for (const auto& piece : server.played()) {
        EXPECT_LT(piece.start, settled) << "the cancelled sentence went on "
                                        << std::chrono::duration<double>(piece.start - returned).count()
                                        << " s after the call returned";
    }
    sound.lost = false;
    const std::size_t piecesBefore = server.played().size();
    voice.Speak("Front pair selected.", 0);
    EXPECT_GT(server.played().size(), piecesBefore) << server.logTail();
}

TEST_F(DesktopVoiceSoundLossTest, AServiceThatFailedIsTriedAgainOnceTheSoundIsBack) {
    DesktopVoice voice(sound.options(), builtIn.factory());
    ASSERT_TRUE(voice.speaksThroughService());
    server.kill();
    voice.Speak("Rear pair selected.", 0);
    ASSERT_FALSE(voice.speaksThroughService());

    // The service is there again, but the sound has not come back since.
    PrivateSpeechServer again;
    again.useFromThisProcess();
    voice.Speak("Front pair selected.", 0);
    EXPECT_FALSE(voice.speaksThroughService()) << "tried again before the sound came back";

    sound.returns = 1;
    voice.Speak("Drift frozen.", 0);
    EXPECT_TRUE(voice.speaksThroughService());
    EXPECT_EQ(builtIn.voice->spoken, (Texts{"Rear pair selected.", "Front pair selected."}));
    waitUntilHeard(again);
    EXPECT_FALSE(again.played().empty()) << again.logTail();
}

}  // namespace
}  // namespace earshot
