#include "audio/openal/al_sound_buffer.h"

#include <AL/alext.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "audio/openal/scene_frame.h"
#include "game/errors.h"

namespace earshot {

namespace {

constexpr std::int32_t lowestVolume = -10000;

// Positions are given in bytes of the sound as 16-bit mono.
constexpr std::int32_t bytesPerFrame = 2;

template <typename Sample>
void upload(ALuint buffer, ALenum format, const std::vector<Sample>& samples, int rate) {
    const std::size_t bytes = samples.size() * sizeof(Sample);
    if (bytes > static_cast<std::size_t>(std::numeric_limits<ALsizei>::max())) {
        throw AudioError("loading a sound failed: it is too long for OpenAL");
    }
    alBufferData(buffer, format, samples.data(), static_cast<ALsizei>(bytes), rate);
    throwIfAlError("loading a sound into OpenAL");
}

std::vector<std::int16_t> to16Bits(const std::vector<float>& samples) {
    std::vector<std::int16_t> converted;
    converted.reserve(samples.size());
    for (const float sample : samples) {
        const double clamped = std::clamp(static_cast<double>(sample), -1.0, 1.0);
        converted.push_back(static_cast<std::int16_t>(std::lround(clamped * 32767.0)));
    }
    return converted;
}

// The checks OpenAL makes, made here as well, so that a call refused on a
// device is refused the same way while the output is lost.
void checkDistance(float distance, const char* what) {
    if (!(distance >= 0.0F) || std::isinf(distance)) {
        throw AudioError(std::string(what) + " failed: " + std::to_string(distance) +
                         " is not a distance");
    }
}

void checkPosition(const std::array<float, 3>& position) {
    if (!std::all_of(position.begin(), position.end(), [](float v) { return std::isfinite(v); })) {
        throw AudioError("placing a sound failed: the position is not a finite point");
    }
}

}  // namespace

AlSound::AlSound(std::shared_ptr<AlOutput> output, std::shared_ptr<const MonoSound> samples,
                 bool spatial)
    : output_(std::move(output)), samples_(std::move(samples)), spatial_(spatial) {
    output_->poll();
    if (output_->device() != nullptr) {
        make();
    }
    output_->join(*this);
}

AlSound::~AlSound() {
    output_->leave(*this);
    source_.reset();
    buffer_.reset();
}

void AlSound::make() {
    AlBuffer& buffer = buffer_.emplace();
    if (!samples_->pcm16.empty()) {
        upload(buffer.id(), AL_FORMAT_MONO16, samples_->pcm16, samples_->sampleRate);
    } else if (alIsExtensionPresent("AL_EXT_FLOAT32") == AL_TRUE) {
        upload(buffer.id(), AL_FORMAT_MONO_FLOAT32, samples_->pcmFloat, samples_->sampleRate);
    } else {
        upload(buffer.id(), AL_FORMAT_MONO16, to16Bits(samples_->pcmFloat), samples_->sampleRate);
    }
    const ALuint source = source_.emplace().id();
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer.id()));
    alSourcefv(source, AL_POSITION, record_.position.data());
    alSourcef(source, AL_REFERENCE_DISTANCE, record_.minDistance);
    alSourcef(source, AL_MAX_DISTANCE, record_.maxDistance);
    alSourcef(source, AL_GAIN, record_.gain);
    alSourcei(source, AL_LOOPING, record_.looping ? AL_TRUE : AL_FALSE);
    if (spatial_) {
        alSourcef(source, AL_ROLLOFF_FACTOR, output_->rolloffFactor());
    } else {
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0F);
    }
    if (record_.cursor > 0) {
        alSourcei(source, AL_SAMPLE_OFFSET, record_.cursor);
    }
    if (record_.state == AlSoundRecord::State::Playing) {
        alSourcePlay(source);
    }
    throwIfAlError("setting up a sound source");
}

bool AlSound::live() {
    output_->poll();
    return source_.has_value();
}

void AlSound::abandon() noexcept {
    if (source_) {
        const ALuint source = source_->id();
        alSourceStop(source);
        alGetError();
        source_->forget();
        source_.reset();
    }
    if (buffer_) {
        buffer_->forget();
        buffer_.reset();
    }
    // A sound played once is over: it comes back stopped, at its start.
    if (record_.state == AlSoundRecord::State::Playing && !record_.looping) {
        record_.state = AlSoundRecord::State::Stopped;
        record_.cursor = 0;
    }
}

void AlSound::rebuild() {
    source_.reset();
    buffer_.reset();
    make();
}

void AlSound::rolloffChanged(float factor) {
    if (spatial_ && source_) {
        alSourcef(source_->id(), AL_ROLLOFF_FACTOR, factor);
    }
}

void AlSound::setPosition(const std::array<float, 3>& position) {
    checkPosition(position);
    record_.position = position;
    if (live()) {
        alSourcefv(source(), AL_POSITION, position.data());
        throwIfAlError("placing a sound");
    }
}

void AlSound::setMinDistance(float distance) {
    checkDistance(distance, "setting a sound's minimum distance");
    record_.minDistance = distance;
    if (live()) {
        alSourcef(source(), AL_REFERENCE_DISTANCE, distance);
        throwIfAlError("setting a sound's minimum distance");
    }
}

void AlSound::setMaxDistance(float distance) {
    checkDistance(distance, "setting a sound's maximum distance");
    record_.maxDistance = distance;
    if (live()) {
        alSourcef(source(), AL_MAX_DISTANCE, distance);
        throwIfAlError("setting a sound's maximum distance");
    }
}

void AlSound::setGain(float gain) {
    record_.gain = gain;
    if (live()) {
        alSourcef(source(), AL_GAIN, gain);
        throwIfAlError("setting a sound's volume");
    }
}

void AlSound::play(bool looping) {
    record_.looping = looping;
    if (!live()) {
        // Nothing can be heard: a sound played once is over at once.
        record_.state = looping ? AlSoundRecord::State::Playing : AlSoundRecord::State::Stopped;
        if (!looping) {
            record_.cursor = 0;
        }
        return;
    }
    record_.state = AlSoundRecord::State::Playing;
    const ALuint id = source();
    alSourcei(id, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
    ALint state = AL_INITIAL;
    alGetSourcei(id, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) {
        alSourcePlay(id);
    }
    throwIfAlError("playing a sound");
}

void AlSound::pause() {
    if (record_.state == AlSoundRecord::State::Playing) {
        record_.state = AlSoundRecord::State::Paused;
    }
    if (live()) {
        // Pausing silences at once and keeps the play cursor, so the next
        // Play goes on from there unless the cursor is moved.
        alSourcePause(source());
        throwIfAlError("stopping a sound");
    }
}

void AlSound::setCursor(std::int32_t frame) {
    record_.cursor = frame;
    if (live()) {
        alSourcei(source(), AL_SAMPLE_OFFSET, frame);
        throwIfAlError("moving a sound's play cursor");
    }
}

bool AlSound::playing() {
    if (!live()) {
        return record_.state == AlSoundRecord::State::Playing;
    }
    ALint state = AL_INITIAL;
    alGetSourcei(source(), AL_SOURCE_STATE, &state);
    throwIfAlError("reading a sound's status");
    return state == AL_PLAYING;
}

// The apply flag is not looked at: every setting takes effect at once.
void AlSound3DControl::SetPosition(float x, float y, float z, std::int32_t /*apply*/) {
    sound_->setPosition(toOpenAlFrame(x, y, z));
}

void AlSound3DControl::SetMinDistance(float distance, std::int32_t /*apply*/) {
    sound_->setMinDistance(distance);
}

void AlSound3DControl::SetMaxDistance(float distance, std::int32_t /*apply*/) {
    sound_->setMaxDistance(distance);
}

AlSoundBuffer::AlSoundBuffer(std::shared_ptr<AlSound> sound) : sound_(std::move(sound)) {
    if (sound_->spatial()) {
        control_ = std::make_shared<AlSound3DControl>(sound_);
    }
}

void AlSoundBuffer::Play(std::int32_t flags) { sound_->play((flags & DSBPLAY_LOOPING) != 0); }

void AlSoundBuffer::Stop() { sound_->pause(); }

void AlSoundBuffer::SetCurrentPosition(std::int32_t position) {
    const std::int64_t frame = position / bytesPerFrame;
    if (position < 0 || static_cast<std::uint64_t>(frame) >= sound_->frames()) {
        throw AudioError("moving a sound's play cursor failed: byte " + std::to_string(position) +
                         " is outside the sound's " +
                         std::to_string(sound_->frames() * bytesPerFrame) + " bytes");
    }
    sound_->setCursor(static_cast<std::int32_t>(frame));
}

std::int32_t AlSoundBuffer::GetStatus() {
    if (!sound_->playing()) {
        return 0;
    }
    return sound_->record().looping ? DSBSTATUS_PLAYING | DSBSTATUS_LOOPING : DSBSTATUS_PLAYING;
}

void AlSoundBuffer::SetVolume(std::int32_t hundredthsOfDb) {
    if (hundredthsOfDb > 0 || hundredthsOfDb < lowestVolume) {
        throw AudioError("setting a sound's volume failed: " + std::to_string(hundredthsOfDb) +
                         " is outside -10000 to 0 hundredths of a decibel");
    }
    sound_->setGain(static_cast<float>(std::pow(10.0, hundredthsOfDb / 2000.0)));
}

std::shared_ptr<DirectSound3DBuffer8> AlSoundBuffer::GetDirectSound3DBuffer() {
    if (!control_) {
        throw AudioError("this sound was loaded without 3D control, so it cannot be placed");
    }
    return control_;
}

}  // namespace earshot
