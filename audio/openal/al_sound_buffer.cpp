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

constexpr float defaultMinDistance = 1.0F;
constexpr float defaultMaxDistance = 1e9F;
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

}  // namespace

AlSound::AlSound(std::shared_ptr<AlOutput> output, const MonoSound& samples, bool spatial)
    : output_(std::move(output)), frames_(samples.frames()), spatial_(spatial) {
    if (!samples.pcm16.empty()) {
        upload(buffer_.id(), AL_FORMAT_MONO16, samples.pcm16, samples.sampleRate);
    } else if (alIsExtensionPresent("AL_EXT_FLOAT32") == AL_TRUE) {
        upload(buffer_.id(), AL_FORMAT_MONO_FLOAT32, samples.pcmFloat, samples.sampleRate);
    } else {
        upload(buffer_.id(), AL_FORMAT_MONO16, to16Bits(samples.pcmFloat), samples.sampleRate);
    }
    const ALuint source = source_.id();
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer_.id()));
    alSource3f(source, AL_POSITION, 0.0F, 0.0F, 0.0F);
    alSourcef(source, AL_REFERENCE_DISTANCE, defaultMinDistance);
    alSourcef(source, AL_MAX_DISTANCE, defaultMaxDistance);
    if (!spatial_) {
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0F);
    }
    throwIfAlError("setting up a sound source");
    if (spatial_) {
        output_->registerSource(source);
    }
}

AlSound::~AlSound() {
    if (spatial_) {
        output_->unregisterSource(source_.id());
    }
}

// The apply flag is not looked at: every setting takes effect at once.
void AlSound3DControl::SetPosition(float x, float y, float z, std::int32_t /*apply*/) {
    const auto position = toOpenAlFrame(x, y, z);
    alSourcefv(sound_->source(), AL_POSITION, position.data());
    throwIfAlError("placing a sound");
}

void AlSound3DControl::SetMinDistance(float distance, std::int32_t /*apply*/) {
    alSourcef(sound_->source(), AL_REFERENCE_DISTANCE, distance);
    throwIfAlError("setting a sound's minimum distance");
}

void AlSound3DControl::SetMaxDistance(float distance, std::int32_t /*apply*/) {
    alSourcef(sound_->source(), AL_MAX_DISTANCE, distance);
    throwIfAlError("setting a sound's maximum distance");
}

AlSoundBuffer::AlSoundBuffer(std::shared_ptr<AlSound> sound) : sound_(std::move(sound)) {
    if (sound_->spatial()) {
        control_ = std::make_shared<AlSound3DControl>(sound_);
    }
}

void AlSoundBuffer::Play(std::int32_t flags) {
    const ALuint source = sound_->source();
    alSourcei(source, AL_LOOPING, (flags & DSBPLAY_LOOPING) != 0 ? AL_TRUE : AL_FALSE);
    // A sound already playing goes on where it is; only the looping changes.
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) {
        alSourcePlay(source);
    }
    throwIfAlError("playing a sound");
}

void AlSoundBuffer::Stop() {
    // Pausing silences at once and keeps the play cursor, so the next Play
    // goes on from there unless the cursor is moved.
    alSourcePause(sound_->source());
    throwIfAlError("stopping a sound");
}

void AlSoundBuffer::SetCurrentPosition(std::int32_t position) {
    const std::int64_t frame = position / bytesPerFrame;
    if (position < 0 || static_cast<std::uint64_t>(frame) >= sound_->frames()) {
        throw AudioError("moving a sound's play cursor failed: byte " + std::to_string(position) +
                         " is outside the sound's " +
                         std::to_string(sound_->frames() * bytesPerFrame) + " bytes");
    }
    alSourcei(sound_->source(), AL_SAMPLE_OFFSET, static_cast<ALint>(frame));
    throwIfAlError("moving a sound's play cursor");
}

std::int32_t AlSoundBuffer::GetStatus() {
    const ALuint source = sound_->source();
    ALint state = AL_INITIAL;
    ALint looping = AL_FALSE;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    alGetSourcei(source, AL_LOOPING, &looping);
    throwIfAlError("reading a sound's status");
    if (state != AL_PLAYING) {
        return 0;
    }
    return looping == AL_TRUE ? DSBSTATUS_PLAYING | DSBSTATUS_LOOPING : DSBSTATUS_PLAYING;
}

void AlSoundBuffer::SetVolume(std::int32_t hundredthsOfDb) {
    if (hundredthsOfDb > 0 || hundredthsOfDb < lowestVolume) {
        throw AudioError("setting a sound's volume failed: " + std::to_string(hundredthsOfDb) +
                         " is outside -10000 to 0 hundredths of a decibel");
    }
    const double gain = std::pow(10.0, hundredthsOfDb / 2000.0);
    alSourcef(sound_->source(), AL_GAIN, static_cast<float>(gain));
    throwIfAlError("setting a sound's volume");
}

std::shared_ptr<DirectSound3DBuffer8> AlSoundBuffer::GetDirectSound3DBuffer() {
    if (!control_) {
        throw AudioError("this sound was loaded without 3D control, so it cannot be placed");
    }
    return control_;
}

}  // namespace earshot
