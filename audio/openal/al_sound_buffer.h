// A sound loaded from a file, as OpenAL plays it: one AL buffer and one AL
// source, shared by the sound buffer object and its 3D control so that
// either keeps the source alive while it is held.
#pragma once

#include <cstddef>
#include <memory>

#include "audio/direct_sound.h"
#include "audio/openal/al_objects.h"
#include "audio/openal/al_output.h"
#include "audio/openal/sound_file.h"

namespace earshot {

// The AL side of one sound. A spatial sound starts at (0, 0, 0) with
// minimum distance 1, maximum distance 1e9 and the listener's rolloff; a
// sound without 3D control is heard at the listener, unattenuated.
class AlSound {
public:
    AlSound(std::shared_ptr<AlOutput> output, const MonoSound& samples, bool spatial);
    ~AlSound();
    AlSound(const AlSound&) = delete;
    AlSound& operator=(const AlSound&) = delete;

    ALuint source() const { return source_.id(); }
    std::size_t frames() const { return frames_; }
    bool spatial() const { return spatial_; }

private:
    // Declared in this order so that the source goes before its buffer and
    // both before the output whose context they live in.
    std::shared_ptr<AlOutput> output_;
    AlBuffer buffer_;
    AlSource source_;
    std::size_t frames_;
    bool spatial_;
};

class AlSound3DControl : public DirectSound3DBuffer8 {
public:
    explicit AlSound3DControl(std::shared_ptr<AlSound> sound) : sound_(std::move(sound)) {}
    void SetPosition(float x, float y, float z, std::int32_t apply) override;
    void SetMinDistance(float distance, std::int32_t apply) override;
    void SetMaxDistance(float distance, std::int32_t apply) override;

private:
    std::shared_ptr<AlSound> sound_;
};

class AlSoundBuffer : public DirectSoundSecondaryBuffer8 {
public:
    explicit AlSoundBuffer(std::shared_ptr<AlSound> sound);
    void Play(std::int32_t flags) override;
    void Stop() override;
    void SetCurrentPosition(std::int32_t position) override;
    std::int32_t GetStatus() override;
    void SetVolume(std::int32_t hundredthsOfDb) override;
    std::shared_ptr<DirectSound3DBuffer8> GetDirectSound3DBuffer() override;

private:
    std::shared_ptr<AlSound> sound_;
    std::shared_ptr<AlSound3DControl> control_;
};

}  // namespace earshot
