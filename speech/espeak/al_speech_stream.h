// One OpenAL source that plays speech as it is synthesised: samples are
// queued in chunks while the source already plays the first ones. It is
// not placed in the scene: it sits on the listener, at full level, and
// distance and rolloff never touch it. While the output is lost, speech is
// dropped as it comes and nothing waits for it; the source is made again
// when the output is back.
#pragma once

#include <AL/al.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "audio/openal/al_output.h"

namespace earshot {

class AlSpeechStream final : public AlOutputMember {
public:
    // Throws AudioError when the source cannot be made.
    explicit AlSpeechStream(std::shared_ptr<AlOutput> output);
    ~AlSpeechStream() override;
    AlSpeechStream(const AlSpeechStream&) = delete;
    AlSpeechStream& operator=(const AlSpeechStream&) = delete;

    // Queues mono 16-bit samples and makes sure the source is playing them.
    void queue(std::span<const std::int16_t> samples, int sampleRate);
    // Returns once every queued sample has been played, or at once when the
    // output is lost meanwhile. An output that takes far longer than the
    // audio's length counts as lost.
    void waitUntilPlayed();
    // Stops at once and forgets whatever is queued.
    void stop() noexcept;

    void abandon() noexcept override;
    void rebuild() override;

private:
    void makeSource();
    ALint sourceInt(ALenum parameter) const;
    // Takes `count` buffers from the front of the source's queue back into
    // the free list.
    void unqueue(ALint count);
    ALuint freeBuffer();

    std::shared_ptr<AlOutput> output_;
    ALuint source_ = 0;                // 0 while the output is lost
    std::vector<ALuint> buffers_;      // every buffer made, deleted at the end
    std::vector<ALuint> freeBuffers_;  // those not in the source's queue
    ALint queued_ = 0;                 // buffers in the source's queue
    // The audio queued since the source was last idle, and when it started,
    // to tell a slow output from one that has stopped.
    double queuedSeconds_ = 0.0;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace earshot
