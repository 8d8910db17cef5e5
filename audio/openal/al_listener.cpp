#include "audio/openal/al_listener.h"

#include "audio/openal/scene_frame.h"

namespace earshot {

// The apply flag is not looked at: every setting takes effect at once.
void AlListener::SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                                float topZ, std::int32_t /*apply*/) {
    const auto front = toOpenAlFrame(frontX, frontY, frontZ);
    const auto top = toOpenAlFrame(topX, topY, topZ);
    output_->setListenerOrientation({front[0], front[1], front[2], top[0], top[1], top[2]});
}

void AlListener::SetPosition(float x, float y, float z, std::int32_t /*apply*/) {
    output_->setListenerPosition(toOpenAlFrame(x, y, z));
}

void AlListener::SetDopplerFactor(float factor, std::int32_t /*apply*/) {
    output_->setDopplerFactor(factor);
}

void AlListener::SetRolloffFactor(float factor, std::int32_t /*apply*/) {
    output_->setRolloffFactor(factor);
}

}  // namespace earshot
