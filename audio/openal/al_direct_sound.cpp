#include "audio/openal/al_direct_sound.h"

#include <vector>

#include "audio/openal/al_listener.h"
#include "audio/openal/al_output.h"
#include "audio/openal/al_sound_buffer.h"
#include "audio/openal/sound_file.h"
#include "game/errors.h"

namespace earshot {

namespace {

class AlDirectSound : public DirectSound8 {
public:
    explicit AlDirectSound(std::shared_ptr<AlOutput> output) : output_(std::move(output)) {}

    // The output mixes for the whole process; there is nothing to share out.
    void SetCooperativeLevel(std::intptr_t /*windowHandle*/, std::int32_t /*level*/) override {}

    std::shared_ptr<DirectSoundPrimaryBuffer8> CreatePrimarySoundBuffer(
        const DSBUFFERDESC& desc) override {
        if ((desc.lFlags & DSBCAPS_PRIMARYBUFFER) == 0) {
            throw AudioError("creating the primary buffer failed: its description lacks the "
                             "primary buffer flag");
        }
        // There is one listener, so every request gets the same primary.
        if (!primary_) {
            primary_ = std::make_shared<AlPrimaryBuffer>(output_);
        }
        return primary_;
    }

    std::shared_ptr<DirectSoundSecondaryBuffer8> CreateSoundBufferFromFile(
        const std::string& path, const DSBUFFERDESC& desc) override {
        if ((desc.lFlags & DSBCAPS_PRIMARYBUFFER) != 0) {
            throw AudioError("cannot load sound file " + path +
                             ": its description asks for a primary buffer");
        }
        // The whole file is read before any OpenAL object is made, so a bad
        // file leaves nothing behind.
        auto samples = shareKept(readMonoSound(path));
        const bool spatial = (desc.lFlags & DSBCAPS_CTRL3D) != 0;
        return std::make_shared<AlSoundBuffer>(
            std::make_shared<AlSound>(output_, std::move(samples), spatial));
    }

private:
    // Every sound keeps its samples, to be made again after a loss of the
    // output. Two speakers play the same file, so samples equal to those of
    // a sound still alive are shared rather than kept twice.
    std::shared_ptr<const MonoSound> shareKept(MonoSound read) {
        std::erase_if(kept_, [](const auto& weak) { return weak.expired(); });
        for (const auto& weak : kept_) {
            auto live = weak.lock();
            if (live && live->sampleRate == read.sampleRate && live->pcm16 == read.pcm16 &&
                live->pcmFloat == read.pcmFloat) {
                return live;
            }
        }
        auto samples = std::make_shared<const MonoSound>(std::move(read));
        kept_.push_back(samples);
        return samples;
    }

    std::shared_ptr<AlOutput> output_;
    std::shared_ptr<AlPrimaryBuffer> primary_;
    std::vector<std::weak_ptr<const MonoSound>> kept_;
};

}  // namespace

std::shared_ptr<DirectSound8> createOpenAlDirectSound(const std::string& guid) {
    if (!guid.empty()) {
        throw AudioError("cannot open the audio device \"" + guid +
                         "\": only the default device (an empty id) is known");
    }
    return std::make_shared<AlDirectSound>(AlOutput::shared());
}

}  // namespace earshot
