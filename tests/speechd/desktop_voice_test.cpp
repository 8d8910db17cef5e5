// The desktop voice chooses the speech service when there is one and the
// built-in voice when there is none, and hands over to the built-in voice,
// within a bound, when the service dies or stops answering mid-game: for
// the call in which it failed and for every later call.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "client_scratch.h"
#include "game/errors.h"
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

double secondsSince(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

DesktopVoiceOptions withoutAutospawn() {
    DesktopVoiceOptions options;
    options.autospawn = false;
    return options;
}

const std::string longSentence =
    "The front left speaker is locked on the x axis, the front right speaker is locked on the y axis, "
    "and the score is ninety five.";

class DesktopVoiceWithServiceTest : public ::testing::Test {
protected:
    DesktopVoiceWithServiceTest() { server.useFromThisProcess(); }

    PrivateSpeechServer server;
    RecordingVoiceFactory builtIn;
};

TEST_F(DesktopVoiceWithServiceTest, SpeaksThroughTheServiceWhenThereIsOne) {
    DesktopVoice voice(withoutAutospawn(), builtIn.factory());
    ASSERT_TRUE(voice.speaksThroughService());
    voice.Speak("Drift frozen.", 0);
    voice.Speak("Drift unfrozen.", 0);

    EXPECT_EQ(builtIn.made, 0) << "the built-in voice is made only when it is needed";
    EXPECT_TRUE(builtIn.voice->spoken.empty());
    ASSERT_NE(voice.service(), nullptr);
    EXPECT_EQ(voice.service()->events().history().size(), 2u);
    EXPECT_GT(test::secondsOf(server.played()), 0.5) << server.logTail();
}

TEST_F(DesktopVoiceWithServiceTest, AServiceKilledBetweenTwoCallsHandsTheNextCallToTheBuiltInVoice) {
    DesktopVoice voice(withoutAutospawn(), builtIn.factory());
    ASSERT_TRUE(voice.speaksThroughService());
    voice.Speak("Front pair selected.", 0);
    ASSERT_TRUE(builtIn.voice->spoken.empty());

    server.kill();
    const auto called = Clock::now();
    voice.Speak("Rear pair selected.", 0);
    const double fallback = secondsSince(called);
    voice.Speak("Front pair selected.", 0);

    EXPECT_FALSE(voice.speaksThroughService());
    EXPECT_EQ(builtIn.voice->spoken, (Texts{"Rear pair selected.", "Front pair selected."}));
    EXPECT_EQ(builtIn.made, 1);
    EXPECT_LT(fallback, 0.5) << "the call after the service died took " << fallback << " s";
    std::cout << "[ figures  ] fallback after a service killed between calls: " << fallback * 1000 << " ms\n";
}

TEST_F(DesktopVoiceWithServiceTest, AServiceKilledMidSentenceHandsThatCallToTheBuiltInVoice) {
    DesktopVoice voice(withoutAutospawn(), builtIn.factory());
    ASSERT_TRUE(voice.speaksThroughService());

    Clock::time_point killed{};
    std::jthread crash([&] {
        // Once the service is audibly speaking.
        const auto limit = Clock::now() + std::chrono::seconds(5);
        while (server.played().empty() && Clock::now() < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        killed = Clock::now();
        server.kill();
    });
    voice.Speak(longSentence, 0);
    const auto returned = Clock::now();
    crash.join();

    EXPECT_EQ(builtIn.voice->spoken, Texts{longSentence});
    EXPECT_FALSE(voice.speaksThroughService());
    const double afterKill = std::chrono::duration<double>(returned - killed).count();
    EXPECT_LT(afterKill, 1.0) << "the call went on " << afterKill << " s after the service died";
    std::cout << "[ figures  ] fallback after a service killed mid-sentence: " << afterKill * 1000 << " ms\n";
}

TEST_F(DesktopVoiceWithServiceTest, AServiceThatStopsAnsweringHandsTheNextCallToTheBuiltInVoice) {
    DesktopVoiceOptions options = withoutAutospawn();
    options.limits.reply = std::chrono::milliseconds(1000);
    std::vector<std::string> failures;
    options.serviceFailed = [&failures](const std::string& cause) { failures.push_back(cause); };
    DesktopVoice voice(options, builtIn.factory());
    ASSERT_TRUE(voice.speaksThroughService());
    voice.Speak("Front pair selected.", 0);
    EXPECT_TRUE(failures.empty());

    server.freeze();
    const auto called = Clock::now();
    voice.Speak("Rear pair selected.", 0);
    const double fallback = secondsSince(called);

    EXPECT_EQ(builtIn.voice->spoken, Texts{"Rear pair selected."});
    EXPECT_FALSE(voice.speaksThroughService());
    ASSERT_EQ(failures.size(), 1U) << "the player is told once that the voice changed";
    EXPECT_FALSE(failures[0].empty()) << "the service's reason is passed on";
    EXPECT_GE(fallback, 0.9) << "it gave up before the reply bound";
    EXPECT_LT(fallback, 2.5) << "a service that does not answer held the call for " << fallback << " s";
    std::cout << "[ figures  ] fallback from a service that stopped answering (1 s bound): " << fallback * 1000
              << " ms\n";
}

TEST_F(DesktopVoiceWithServiceTest, AMessageThatNeverEndsIsGivenUpAtItsBound) {
    DesktopVoiceOptions options = withoutAutospawn();
    options.limits.endBase = std::chrono::milliseconds(1500);
    options.limits.endPerCharacter = std::chrono::milliseconds(0);
    options.limits.reply = std::chrono::milliseconds(500);
    DesktopVoice voice(options, builtIn.factory());
    ASSERT_TRUE(voice.speaksThroughService());

    // The service takes the message and then freezes: its connection stays
    // open, but no end will ever come.
    std::jthread hang([&] {
        const auto limit = Clock::now() + std::chrono::seconds(5);
        while (server.played().empty() && Clock::now() < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        server.freeze();
    });
    const auto called = Clock::now();
    voice.Speak(longSentence, 0);
    const double took = secondsSince(called);
    hang.join();

    EXPECT_EQ(builtIn.voice->spoken, Texts{longSentence});
    EXPECT_GE(took, 1.4) << "given up before its bound";
    EXPECT_LT(took, 3.0) << "the bound of 1.5 s (and 0.5 s for the cancel) held the call " << took << " s";
}

TEST_F(DesktopVoiceWithServiceTest, ABuiltInVoiceThatCannotBeMadeIsASpeechErrorAndIsTriedAgain) {
    int attempts = 0;
    DesktopVoice voice(withoutAutospawn(), [&]() -> std::shared_ptr<SpVoice> {
        ++attempts;
        throw SpeechError("no voice data");
    });
    ASSERT_TRUE(voice.speaksThroughService());
    server.kill();
    EXPECT_THROW(voice.Speak("Score", 0), SpeechError);
    EXPECT_THROW(voice.Speak("Score", 0), SpeechError);
    EXPECT_EQ(attempts, 2);
}

// No service at all. The program's voice may start the service, but the
// desktop forbids it here (the scratch settings), so that case also shows
// that a refused start is no service.
struct NoServiceScenario {
    const char* name;
    bool autospawn;
    bool staleSocket;  // a socket file that nobody listens on
};

void PrintTo(const NoServiceScenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

class NoServiceTest : public ::testing::TestWithParam<NoServiceScenario> {};

std::filesystem::path socketPathOf(const std::string& address) {
    return address.substr(std::strlen("unix_socket:"));
}

void leaveStaleSocket(const std::filesystem::path& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << std::strerror(errno);
    close(fd);
}

TEST_P(NoServiceTest, TheBuiltInVoiceSpeaks) {
    const NoServiceScenario& scenario = GetParam();
    const std::filesystem::path socketPath = socketPathOf(test::nobodysAddress());
    std::filesystem::remove(socketPath);
    if (scenario.staleSocket) {
        leaveStaleSocket(socketPath);
    }
    RecordingVoiceFactory builtIn;
    DesktopVoiceOptions options;
    options.autospawn = scenario.autospawn;

    const auto called = Clock::now();
    DesktopVoice voice(options, builtIn.factory());
    const double made = secondsSince(called);
    voice.Speak("Score", 0);
    voice.Speak("points.", 0);

    EXPECT_FALSE(voice.speaksThroughService()) << scenario.name;
    EXPECT_EQ(builtIn.made, 1) << scenario.name << ": the built-in voice is made at once";
    EXPECT_EQ(builtIn.voice->spoken, (Texts{"Score", "points."})) << scenario.name;
    EXPECT_LT(made, 1.0) << scenario.name << ": finding no service took " << made << " s";
    EXPECT_EQ(std::filesystem::exists(socketPath), scenario.staleSocket)
        << scenario.name << ": a service was started after all";
}

INSTANTIATE_TEST_SUITE_P(DesktopVoice, NoServiceTest,
                         ::testing::Values(NoServiceScenario{"nothing at the address", false, false},
                                           NoServiceScenario{"a socket nobody serves", false, true},
                                           NoServiceScenario{"the desktop forbids starting it", true, false}),
                         [](const auto& scenario) {
                             std::string name = scenario.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

TEST(DesktopVoiceWithoutAnyVoice, NoServiceAndNoBuiltInVoiceIsNoVoice) {
    EXPECT_THROW(DesktopVoice(withoutAutospawn(), []() -> std::shared_ptr<SpVoice> { throw SpeechError("no data"); }),
                 SpeechError);
    EXPECT_THROW(DesktopVoice(withoutAutospawn(), []() -> std::shared_ptr<SpVoice> { return nullptr; }), SpeechError);
}

}  // namespace
}  // namespace earshot
