// The speech source plays chunks in the order they are queued, each once,
// also when it runs dry between two chunks (synthesis that falls behind).
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <thread>
#include <vector>

#include "loopback_recorder.h"
#include "speech/espeak/al_speech_stream.h"

namespace earshot {
namespace {

using Clock = std::chrono::steady_clock;
using test::LoopbackRecorder;

constexpr int toneRate = 22050;

std::vector<std::int16_t> tone(double seconds) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * toneRate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double phase = 2.0 * std::numbers::pi * 440.0 * static_cast<double>(i) / toneRate;
        samples[i] = static_cast<std::int16_t>(16000.0 * std::sin(phase));
    }
    return samples;
}

TEST(AlSpeechStreamTest, PlaysQueuedChunksAsOneStretchAndWaitsForThem) {
    LoopbackRecorder recorder;
    AlSpeechStream stream(recorder.output());
    recorder.start();
    const auto chunk = tone(0.05);
    const auto start = Clock::now();
    for (int i = 0; i < 6; ++i) {
        stream.queue(chunk, toneRate);
    }
    stream.waitUntilPlayed();
    const double waited = std::chrono::duration<double>(Clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    recorder.stop();

    const auto spans = test::soundSpans(recorder.levels(), LoopbackRecorder::rate, 0.01F, 0.02);
    ASSERT_EQ(spans.size(), 1U) << test::describe(spans);
    EXPECT_NEAR(spans[0].length(), 0.3, 0.02) << test::describe(spans);
    EXPECT_GE(waited, 0.9 * 0.3);
}

TEST(AlSpeechStreamTest, AfterRunningDryPlaysOnlyTheNewChunk) {
    LoopbackRecorder recorder;
    AlSpeechStream stream(recorder.output());
    recorder.start();
    stream.queue(tone(0.1), toneRate);
    // The source plays its 0.1 s and stops before the next chunk comes.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    stream.queue(tone(0.2), toneRate);
    stream.waitUntilPlayed();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    recorder.stop();

    const auto spans = test::soundSpans(recorder.levels(), LoopbackRecorder::rate, 0.01F, 0.02);
    ASSERT_EQ(spans.size(), 2U) << test::describe(spans);
    EXPECT_NEAR(spans[0].length(), 0.1, 0.02) << test::describe(spans);
    EXPECT_NEAR(spans[1].length(), 0.2, 0.02) << test::describe(spans);
}

}  // namespace
}  // namespace earshot
