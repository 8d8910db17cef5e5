#include "speech/espeak/al_speech_stream.h"

#include <thread>
#include <utility>

#include "game/errors.h"
#include "speech/speech_wait.h"

namespace earshot {

namespace {

using Clock = std::chrono::steady_clock;

// How long to wait between looks at the source while it finishes.
constexpr auto pollInterval = std::chrono::microseconds(500);
// A source that plays in real time finishes within its audio's length; this
// much more (in proportion and in time) means the output has stopped.
constexpr double stallFactor = 1.5;
constexpr double stallSeconds = 2.0;

}  // namespace

AlSpeechStream::AlSpeechStream(std::shared_ptr<AlOutput> output) : output_(std::move(output)) {
    output_->poll();
    if (output_->device() != nullptr) {
        makeSource();
    }
    output_->join(*this);
}

void AlSpeechStream::makeSource() {
    alGetError();
    alGenSources(1, &source_);
    throwIfAlError("making the speech voice's sound source");
    alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source_, AL_POSITION, 0.0F, 0.0F, 0.0F);
    alSource3f(source_, AL_VELOCITY, 0.0F, 0.0F, 0.0F);
    alSourcef(source_, AL_ROLLOFF_FACTOR, 0.0F);
    alSourcef(source_, AL_GAIN, 1.0F);
    alSourcei(source_, AL_LOOPING, AL_FALSE);
    try {
        throwIfAlError("setting up the speech voice's sound source");
    } catch (...) {
        alDeleteSources(1, &source_);
        source_ = 0;
        throw;
    }
}

AlSpeechStream::~AlSpeechStream() {
    output_->leave(*this);
    if (source_ == 0) {
        return;
    }
    stop();
    alDeleteSources(1, &source_);
    if (!buffers_.empty()) {
        alDeleteBuffers(static_cast<ALsizei>(buffers_.size()), buffers_.data());
    }
    alGetError();
}

void AlSpeechStream::abandon() noexcept {
    if (source_ != 0) {
        alSourceStop(source_);
        alGetError();
    }
    // The names died with the device.
    source_ = 0;
    buffers_.clear();
    freeBuffers_.clear();
    queued_ = 0;
    queuedSeconds_ = 0.0;
}

void AlSpeechStream::rebuild() {
    abandon();
    makeSource();
}

ALint AlSpeechStream::sourceInt(ALenum parameter) const {
    ALint value = 0;
    alGetSourcei(source_, parameter, &value);
    throwIfAlError("reading the speech voice's sound source");
    return value;
}

void AlSpeechStream::unqueue(ALint count) {
    if (count <= 0) {
        return;
    }
    std::vector<ALuint> done(static_cast<std::size_t>(count));
    alSourceUnqueueBuffers(source_, count, done.data());
    throwIfAlError("taking played speech from its sound source");
    freeBuffers_.insert(freeBuffers_.end(), done.begin(), done.end());
    queued_ -= count;
}

ALuint AlSpeechStream::freeBuffer() {
    if (freeBuffers_.empty()) {
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        throwIfAlError("making a buffer for speech");
        buffers_.push_back(buffer);
        return buffer;
    }
    const ALuint buffer = freeBuffers_.back();
    freeBuffers_.pop_back();
    return buffer;
}

void AlSpeechStream::queue(std::span<const std::int16_t> samples, int sampleRate) {
    output_->poll();
    if (samples.empty() || source_ == 0) {
        return;
    }
    if (queuedSeconds_ == 0.0) {
        started_ = Clock::now();
    }
    // Give back what has been played; a stopped source has played its whole
    // queue, so then nothing is left in it.
    const ALint before = sourceInt(AL_SOURCE_STATE);
    unqueue(sourceInt(AL_BUFFERS_PROCESSED));

    const ALuint buffer = freeBuffer();
    alBufferData(buffer, AL_FORMAT_MONO16, samples.data(),
                 static_cast<ALsizei>(samples.size_bytes()), sampleRate);
    throwIfAlError("filling a buffer with speech");
    alSourceQueueBuffers(source_, 1, &buffer);
    throwIfAlError("queueing speech on its sound source");
    ++queued_;

    bool play = before != AL_PLAYING;
    if (!play && sourceInt(AL_SOURCE_STATE) == AL_STOPPED) {
        // It ran dry just as this chunk joined the queue. A stopped source
        // starts again from the front of its queue: keep only the new chunk.
        unqueue(queued_ - 1);
        play = true;
    }
    if (play) {
        alSourcePlay(source_);
        throwIfAlError("playing speech");
    }
    queuedSeconds_ += static_cast<double>(samples.size()) / sampleRate;
}

void AlSpeechStream::waitUntilPlayed() {
    if (queued_ > 0) {
        const auto patience =
            std::chrono::duration<double>(queuedSeconds_ * stallFactor + stallSeconds);
        const auto deadline = started_ + std::chrono::duration_cast<Clock::duration>(patience);
        for (;;) {
            // A lost output has taken the queue with it: nothing is left to
            // wait for.
            output_->poll();
            if (source_ == 0 || queued_ == 0) {
                break;
            }
            if (sourceInt(AL_SOURCE_STATE) != AL_PLAYING &&
                sourceInt(AL_BUFFERS_PROCESSED) >= queued_) {
                unqueue(queued_);
                break;
            }
            if (Clock::now() > deadline) {
                stop();
                output_->declareLost("speech stopped playing before its end");
                break;
            }
            // The game's thread waits here for the speech to be heard; the
            // program may still have something to look at (Escape).
            whileSpeechWaits();
            std::this_thread::sleep_for(pollInterval);
        }
    }
    queuedSeconds_ = 0.0;
}

void AlSpeechStream::stop() noexcept {
    if (source_ == 0) {
        return;
    }
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    alGetError();
    freeBuffers_ = buffers_;
    queued_ = 0;
    queuedSeconds_ = 0.0;
}

}  // namespace earshot
