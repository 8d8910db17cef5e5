// The espeak-ng voice plays through the process's audio output and returns
// only once the text has been heard, so calls are heard one after another.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "audio/openal/output_notices.h"
#include "game/errors.h"
#include "loopback_recorder.h"
#include "speech/espeak/espeak_voice.h"

namespace earshot {
namespace {

using Clock = std::chrono::steady_clock;
using test::LoopbackRecorder;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

EspeakVoice& asEspeak(SpVoice& voice) {
    return dynamic_cast<EspeakVoice&>(voice);
}

struct DurationCase {
    const char* name;
    std::string text;
};

void PrintTo(const DurationCase& scenario, std::ostream* out) {
    *out << scenario.name;
}

class EspeakVoiceDurationTest : public ::testing::TestWithParam<DurationCase> {};

// On OpenAL's null output, which plays in real time, a call lasts as long
// as the audio it made.
TEST_P(EspeakVoiceDurationTest, ReturnsOnlyAfterItsAudio) {
    const auto voice = createEspeakVoice();
    const auto start = Clock::now();
    voice->Speak(GetParam().text, SVSFDefault);
    const double elapsed = secondsSince(start);

    const auto& utterance = asEspeak(*voice).lastUtterance();
    const double audio = utterance.seconds();
    ASSERT_GT(utterance.samples, 0U);
    EXPECT_GE(elapsed, 0.9 * audio) << utterance.samples << " samples at "
                                    << utterance.sampleRate << " Hz";
    // Waiting on far past the end would hold up the whole game.
    EXPECT_LT(elapsed, audio + 1.0) << utterance.samples << " samples at "
                                    << utterance.sampleRate << " Hz";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EspeakVoiceDurationTest,
    ::testing::Values(DurationCase{"two_words", "score points"},
                      DurationCase{"lock_message", "Front left x axis locked."},
                      DurationCase{"long_sentence",
                                   "The rear right speaker is now locked on both of its axes, "
                                   "and the next level starts soon."}),
    [](const ::testing::TestParamInfo<DurationCase>& testCase) {
        return std::string(testCase.param.name);
    });

TEST(EspeakVoiceTest, EmptyTextReturnsAtOnceWithoutSound) {
    const auto voice = createEspeakVoice();
    voice->Speak("", SVSFDefault);
    const auto& utterance = asEspeak(*voice).lastUtterance();
    EXPECT_EQ(utterance.samples, 0U);
    EXPECT_FALSE(utterance.firstSoundAfter.has_value());
}

TEST(EspeakVoiceTest, MarkupIsSpokenAsText) {
    const auto voice = createEspeakVoice();
    auto& espeak = asEspeak(*voice);
    voice->Speak("bold", SVSFDefault);
    const std::size_t word = espeak.lastUtterance().samples;
    voice->Speak("<b>bold</b>", SVSFDefault);
    const std::size_t tagged = espeak.lastUtterance().samples;
    EXPECT_GT(tagged, 2 * word) << "\"bold\" gave " << word << " samples, \"<b>bold</b>\" "
                                << tagged;
}

TEST(EspeakVoiceTest, RefusesFlagsOtherThanTheDefault) {
    const auto voice = createEspeakVoice();
    try {
        voice->Speak("hello", 8);  // asks for markup to be obeyed
        FAIL() << "flags 8 were accepted";
    } catch (const SpeechError& error) {
        EXPECT_STREQ(error.what(),
                     "speaking \"hello\" failed: the voice takes only flags 0 (plain text, spoken "
                     "to the end), not 8");
    }
    EXPECT_EQ(asEspeak(*voice).lastUtterance().samples, 0U);
}

// Two calls with a pause between them are heard as two stretches of sound,
// the long text first, each about as long as its audio, with the pause
// between them. A call that returned before its audio ended would run the
// texts together or overlap them.
TEST(EspeakVoiceTest, TwoCallsAreHeardInOrder) {
    LoopbackRecorder recorder;
    const auto voice = createEspeakVoice();
    auto& espeak = asEspeak(*voice);
    recorder.start();

    voice->Speak("The front left speaker is locked on both of its axes now", SVSFDefault);
    const double first = espeak.lastUtterance().seconds();
    const double pause = 0.6;
    std::this_thread::sleep_for(std::chrono::duration<double>(pause));
    voice->Speak("yes", SVSFDefault);
    const double second = espeak.lastUtterance().seconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    recorder.stop();
    ASSERT_EQ(recorder.failure(), "");

    const auto spans = test::soundSpans(recorder.levels(), LoopbackRecorder::rate, 0.01F, 0.25);
    ASSERT_EQ(spans.size(), 2U) << test::describe(spans) << "; audio of " << first << " s and "
                                << second << " s";
    // espeak-ng's audio starts and ends with a little silence.
    EXPECT_GT(spans[0].length(), 0.7 * first) << test::describe(spans) << "; first " << first;
    EXPECT_LE(spans[0].length(), first + 0.05) << test::describe(spans) << "; first " << first;
    EXPECT_GT(spans[1].length(), 0.5 * second) << test::describe(spans) << "; second " << second;
    EXPECT_LE(spans[1].length(), second + 0.05) << test::describe(spans) << "; second " << second;
    EXPECT_GE(spans[1].start - spans[0].end, pause - 0.05) << test::describe(spans);
}

// An output that stops playing is reported instead of hanging the game;
// once it plays again, so does the voice.
TEST(EspeakVoiceTest, AStalledOutputIsTakenForLostAndTheVoiceSpeaksOnceItIsBack) {
    LoopbackRecorder recorder;  // not started: nothing is played
    std::vector<OutputNotice> notices;
    setOutputNoticeHook([&](const OutputNotice& notice) { notices.push_back(notice); });
    const auto voice = createEspeakVoice();
    const auto start = Clock::now();
    voice->Speak("yes", SVSFDefault);
    const double waited = secondsSince(start);
    EXPECT_LT(waited, 4.0) << "the voice waited that long for an output that plays nothing";
    ASSERT_EQ(notices.size(), 1U);
    EXPECT_EQ(notices[0].kind, OutputNoticeKind::Lost);
    EXPECT_EQ(notices[0].detail, "speech stopped playing before its end");
    ASSERT_TRUE(recorder.output()->lost());

    // Nothing waits while the output is lost.
    recorder.start();
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    while (recorder.output()->lost() && Clock::now() < deadline) {
        recorder.output()->poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_FALSE(recorder.output()->lost()) << "the output did not come back within 3 s";
    ASSERT_EQ(notices.size(), 2U);
    EXPECT_EQ(notices[1].kind, OutputNoticeKind::Back);

    voice->Speak("yes", SVSFDefault);
    recorder.stop();
    setOutputNoticeHook({});
    const auto spans = test::soundSpans(recorder.levels(), LoopbackRecorder::rate, 0.01F, 0.25);
    const double audio = asEspeak(*voice).lastUtterance().seconds();
    ASSERT_EQ(spans.size(), 1U) << test::describe(spans);
    EXPECT_LE(spans[0].length(), audio + 0.05) << test::describe(spans) << "; audio " << audio;
}

}  // namespace
}  // namespace earshot
