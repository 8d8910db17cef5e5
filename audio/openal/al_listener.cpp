#include "audio/openal/al_listener.h"

#include <array>

#include "audio/openal/scene_frame.h"

namespace earshot {

// The apply flag is not looked at: every setting takes effect at once.
void AlListener::SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                                float topZ, std::int32_t /*apply*/) {
    const auto front = toOpenAlFrame(frontX, frontY, frontZ);
    const auto top = toOpenAlFrame(topX, topY, topZ);
    const std::array<float, 6> orientation{front[0], front[1], front[2], top[0], top[1], top[2]};
    alListenerfv(AL_ORIENTATION, orientation.data());
    throwIfAlError("turning the listener");
}

void AlListener::SetPosition(float x, float y, float z, std::int32_t /*apply*/) {
    const auto position = toOpenAlFrame(x, y, z);
    alListenerfv(AL_POSITION, position.data());
    throwIfAlError("placing the listener");
}

void AlListener::SetDopplerFactor(float factor, std::int32_t /*apply*/) {
    alDopplerFactor(factor);
    throwIfAlError("setting the Doppler factor");
}

void AlListener::SetRolloffFactor(float factor, std::int32_t /*apply*/) {
    output_->setRolloffFactor(factor);
}

}  // namespace earshot
