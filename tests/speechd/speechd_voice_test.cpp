// The voice over a real speech-dispatcher of the test's own: a call returns
// only once the service reported the end of its message (after the sound
// was played, in real time), two calls are heard one after the other, and
// a message that something else cut off returns at the cut.
#include <gtest/gtest.h>

#include <libspeechd.h>

#include <chrono>
#include <iostream>
#include <thread>

#include "private_speech_server.h"
#include "speech/speechd/speechd_voice.h"

namespace earshot {
namespace {

using Clock = std::chrono::steady_clock;
using test::PlayedPiece;
using test::PrivateSpeechServer;

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

const std::string sentence = "The front left speaker is locked on the x axis, and the score is ninety five.";

class SpeechdVoiceTest : public ::testing::Test {
protected:
    SpeechdVoiceTest() { server.useFromThisProcess(); }

    PrivateSpeechServer server;
};

TEST_F(SpeechdVoiceTest, ACallReturnsOnlyAfterTheEndOfItsMessage) {
    SpeechdVoice voice(false, SpeechdLimits{});
    const auto called = Clock::now();
    voice.Speak(sentence, 0);
    const auto returned = Clock::now();

    const std::vector<EndedMessage> ends = voice.events().history();
    ASSERT_EQ(ends.size(), 1u) << "one message, one end";
    EXPECT_EQ(ends[0].how, MessageEnd::Ended);
    EXPECT_LE(ends[0].at, returned) << "returned before the end event came";

    const std::vector<PlayedPiece> played = server.played();
    ASSERT_FALSE(played.empty()) << "the service played nothing\n" << server.logTail();
    const double heard = test::secondsOf(played);
    EXPECT_GT(heard, 2.0) << "the sentence should take seconds to say";
    EXPECT_LE(played.back().end, returned) << "returned while the sound was still playing";
    EXPECT_GE(secondsBetween(called, returned), heard * 0.95)
        << "the call took " << secondsBetween(called, returned) << " s for " << heard << " s of sound";
    std::cout << "[ figures  ] " << heard << " s of sound; Speak returned after " << secondsBetween(called, returned)
              << " s; end event " << secondsBetween(called, ends[0].at) << " s after the call and "
              << secondsBetween(played.back().end, ends[0].at) * 1000 << " ms after the last sound; return "
              << secondsBetween(ends[0].at, returned) * 1000 << " ms after the event\n";
}

TEST_F(SpeechdVoiceTest, TwoCallsAreHeardOneAfterTheOtherInCallOrder) {
    SpeechdVoice voice(false, SpeechdLimits{});
    voice.Speak("Front left x axis locked.", 0);
    const auto firstReturned = Clock::now();
    voice.Speak("Rear right y axis locked.", 0);
    const auto secondReturned = Clock::now();

    const std::vector<EndedMessage> ends = voice.events().history();
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_LT(ends[0].messageId, ends[1].messageId) << "the ends came out of call order";
    EXPECT_EQ(ends[0].how, MessageEnd::Ended);
    EXPECT_EQ(ends[1].how, MessageEnd::Ended);
    EXPECT_LE(ends[0].at, firstReturned);
    EXPECT_GE(ends[1].at, firstReturned) << "the second message ended before it was sent";
    EXPECT_LE(ends[1].at, secondReturned);

    // Every piece of sound belongs wholly to one call: none of the second
    // message's sound played before the first call returned.
    int before = 0;
    int after = 0;
    for (const PlayedPiece& piece : server.played()) {
        if (piece.end <= firstReturned) {
            ++before;
        } else {
            EXPECT_GE(piece.start, firstReturned) << "a piece of sound spans the first call's return: overlap";
            EXPECT_LE(piece.end, secondReturned);
            ++after;
        }
    }
    EXPECT_GT(before, 0) << "the first message was not heard";
    EXPECT_GT(after, 0) << "the second message was not heard";
}

// A screen reader's urgent speech cancels a message of text priority; the
// call returns then instead of waiting out its bound.
TEST_F(SpeechdVoiceTest, AMessageCutOffBySomethingElseReturnsAtTheCut) {
    SpeechdLimits limits;
    limits.endBase = std::chrono::milliseconds(20000);
    SpeechdVoice voice(false, limits);

    Clock::time_point interrupted{};
    std::jthread screenReader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        char* error = nullptr;
        SPDConnection* other = spd_open2("test", "screen reader", nullptr, SPD_MODE_SINGLE, nullptr, 0, &error);
        std::free(error);
        if (other == nullptr) {
            return;
        }
        interrupted = Clock::now();
        spd_say(other, SPD_IMPORTANT, "Urgent.");
        spd_close(other);
    });
    const auto called = Clock::now();
    voice.Speak(sentence + " " + sentence, 0);
    const auto returned = Clock::now();
    screenReader.join();

    ASSERT_NE(interrupted, Clock::time_point{}) << "the second client could not connect";
    const std::vector<EndedMessage> ends = voice.events().history();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].how, MessageEnd::Cancelled);
    EXPECT_GE(returned, interrupted);
    EXPECT_LT(secondsBetween(interrupted, returned), 1.5)
        << "the call went on " << secondsBetween(interrupted, returned) << " s after it was cut off";
    std::cout << "[ figures  ] cut off " << secondsBetween(called, interrupted) << " s into the message; returned "
              << secondsBetween(interrupted, returned) * 1000 << " ms after the cut\n";
}

TEST_F(SpeechdVoiceTest, AnEmptyTextReturnsAtOnceAndLeavesTheConnectionUsable) {
    SpeechdVoice voice(false, SpeechdLimits{});
    const auto called = Clock::now();
    voice.Speak("", 0);
    voice.Speak("  ", 0);
    EXPECT_LT(secondsBetween(called, Clock::now()), 0.5);
    voice.Speak("Paused.", 0);
    const std::vector<EndedMessage> ends = voice.events().history();
    ASSERT_EQ(ends.size(), 1u) << "only the real text is a message";
    EXPECT_EQ(ends[0].how, MessageEnd::Ended);
}

}  // namespace
}  // namespace earshot
