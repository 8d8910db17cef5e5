// The primary buffer and the one listener of the OpenAL output. The
// listener is the context's: its position and orientation, the Doppler
// factor, and the rolloff factor shared by every spatial sound.
#pragma once

#include <memory>

#include "audio/direct_sound.h"
#include "audio/openal/al_output.h"

namespace earshot {

class AlListener : public DirectSound3DListener8 {
public:
    explicit AlListener(std::shared_ptr<AlOutput> output) : output_(std::move(output)) {}
    void SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                        float topZ, std::int32_t apply) override;
    void SetPosition(float x, float y, float z, std::int32_t apply) override;
    void SetDopplerFactor(float factor, std::int32_t apply) override;
    void SetRolloffFactor(float factor, std::int32_t apply) override;

private:
    std::shared_ptr<AlOutput> output_;
};

class AlPrimaryBuffer : public DirectSoundPrimaryBuffer8 {
public:
    explicit AlPrimaryBuffer(std::shared_ptr<AlOutput> output)
        : listener_(std::make_shared<AlListener>(std::move(output))) {}
    std::shared_ptr<DirectSound3DListener8> GetDirectSound3DListener() override {
        return listener_;
    }

private:
    std::shared_ptr<AlListener> listener_;
};

}  // namespace earshot
