// The program's voice as main.cpp makes it: through a service that is
// there, else the built-in espeak-ng voice (playing to OpenAL's null
// output here).
#include <gtest/gtest.h>

#include <chrono>

#include "private_speech_server.h"
#include "speech/speechd/desktop_voice.h"

namespace earshot {
namespace {

using Clock = std::chrono::steady_clock;

TEST(CreateDesktopVoice, SpeaksThroughTheServiceThatIsThere) {
    test::PrivateSpeechServer server;
    server.useFromThisProcess();
    const std::shared_ptr<SpVoice> voice = createDesktopVoice();
    const auto* desktop = dynamic_cast<const DesktopVoice*>(voice.get());
    ASSERT_NE(desktop, nullptr);
    EXPECT_TRUE(desktop->speaksThroughService());

    const auto called = Clock::now();
    voice->Speak("Front left speaker muted.", 0);
    const double took = std::chrono::duration<double>(Clock::now() - called).count();
    const double heard = test::secondsOf(server.played());
    EXPECT_GT(heard, 0.5) << server.logTail();
    EXPECT_GE(took, heard * 0.95) << "returned after " << took << " s of " << heard << " s of sound";
}

TEST(CreateDesktopVoice, WithoutAServiceIsTheBuiltInVoice) {
    // SPEECHD_ADDRESS names a socket nobody serves, and the scratch
    // desktop settings forbid starting a service there.
    const std::shared_ptr<SpVoice> voice = createDesktopVoice();
    const auto* desktop = dynamic_cast<const DesktopVoice*>(voice.get());
    ASSERT_NE(desktop, nullptr);
    EXPECT_FALSE(desktop->speaksThroughService());
    const auto called = Clock::now();
    EXPECT_NO_THROW(voice->Speak("Front left speaker muted.", 0));
    // The built-in voice plays in real time too, on the null output.
    EXPECT_GT(std::chrono::duration<double>(Clock::now() - called).count(), 0.5);
}

}  // namespace
}  // namespace earshot
