// Records what the process's audio output plays: it opens OpenAL Soft's
// loopback output and renders it on a thread in real time, 10 ms at a time,
// as a sound card would; and finds the stretches of sound in a recording.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/openal/al_output.h"

namespace earshot::test {

class LoopbackRecorder {
public:
    static constexpr int rate = 44100;

    // Opens the loopback output; it plays nothing until start().
    LoopbackRecorder();
    ~LoopbackRecorder();
    LoopbackRecorder(const LoopbackRecorder&) = delete;
    LoopbackRecorder& operator=(const LoopbackRecorder&) = delete;

    const std::shared_ptr<AlOutput>& output() const { return output_; }
    void start();
    void stop();
    // The louder channel's magnitude of every frame rendered so far.
    std::vector<float> levels() const;
    // Why rendering stopped early, if it did.
    std::string failure() const;

private:
    void run();

    std::shared_ptr<AlOutput> output_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    mutable std::mutex mutex_;
    std::vector<float> levels_;
    std::string failure_;
};

struct SoundSpan {
    double start = 0.0;  // seconds
    double end = 0.0;
    double length() const { return end - start; }
};

// The stretches where the level reaches `threshold`, merging stretches
// that are less than `bridge` seconds apart (the pauses between words).
std::vector<SoundSpan> soundSpans(const std::vector<float>& levels, int rate, float threshold,
                                  double bridge);

std::string describe(const std::vector<SoundSpan>& spans);

}  // namespace earshot::test
