// A sound loaded from a file, as OpenAL plays it: one AL buffer and one AL
// source, shared by the sound buffer object and its 3D control so that
// either keeps the sound alive while it is held. The sound keeps a record of
// everything the game asked of it, its samples included, and is made again
// from that record when the output comes back after a loss.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>

#include "audio/direct_sound.h"
#include "audio/openal/al_objects.h"
#include "audio/openal/al_output.h"
#include "audio/openal/sound_file.h"

namespace earshot {

// What the game asked of one sound. Positions are in OpenAL's frame.
struct AlSoundRecord {
    enum class State { Stopped, Playing, Paused };

    std::array<float, 3> position{0.0F, 0.0F, 0.0F};
    float minDistance = 1.0F;
    float maxDistance = 1e9F;
    float gain = 1.0F;
    bool looping = false;
    State state = State::Stopped;
    // The frame the play cursor was last moved to.
    std::int32_t cursor = 0;
};

// The AL side of one sound. A spatial sound starts at (0, 0, 0) with
// minimum distance 1, maximum distance 1e9 and the listener's rolloff; a
// sound without 3D control is heard at the listener, unattenuated. While the
// output is lost, every operation changes only the record, and a sound
// played once counts as heard at once: nothing waits for it.
class AlSound final : public AlOutputMember {
public:
    AlSound(std::shared_ptr<AlOutput> output, std::shared_ptr<const MonoSound> samples,
            bool spatial);
    ~AlSound() override;
    AlSound(const AlSound&) = delete;
    AlSound& operator=(const AlSound&) = delete;

    void setPosition(const std::array<float, 3>& position);
    void setMinDistance(float distance);
    void setMaxDistance(float distance);
    void setGain(float gain);
    // Plays from where the cursor is; a sound already playing goes on where
    // it is and only its looping changes.
    void play(bool looping);
    // Silence at once; the cursor stays where it was.
    void pause();
    void setCursor(std::int32_t frame);
    bool playing();

    // The AL source, 0 while the output is lost.
    ALuint source() const { return source_ ? source_->id() : 0; }
    std::size_t frames() const { return samples_->frames(); }
    const MonoSound& samples() const { return *samples_; }
    bool spatial() const { return spatial_; }
    const AlSoundRecord& record() const { return record_; }

    void abandon() noexcept override;
    void rebuild() override;
    void rolloffChanged(float factor) override;

private:
    // Makes the AL objects and gives them the record.
    void make();
    // Looks at the output first, and tells whether the AL objects are there.
    bool live();

    // Declared first, so that it goes last: the AL objects live in its
    // context.
    std::shared_ptr<AlOutput> output_;
    std::shared_ptr<const MonoSound> samples_;
    bool spatial_;
    AlSoundRecord record_;
    std::optional<AlBuffer> buffer_;
    std::optional<AlSource> source_;
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

    const AlSound& sound() const { return *sound_; }

private:
    std::shared_ptr<AlSound> sound_;
    std::shared_ptr<AlSound3DControl> control_;
};

}  // namespace earshot
