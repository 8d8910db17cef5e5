#include "runtime/sdl_direct_x8.h"

#include "audio/openal/al_direct_sound.h"
#include "runtime/sdl_direct_input.h"

namespace earshot {

SdlDirectX8::SdlDirectX8(SdlEventSinks& windowEvents, NotificationEvents& events)
    : windowEvents_(windowEvents), events_(events) {}

std::shared_ptr<DirectSound8> SdlDirectX8::DirectSoundCreate(const std::string& guid) {
    return createOpenAlDirectSound(guid);
}

std::shared_ptr<DirectInput8> SdlDirectX8::DirectInputCreate() {
    return std::make_shared<SdlDirectInput>(windowEvents_, events_);
}

std::int32_t SdlDirectX8::CreateEvent(DirectXEvent8* target) { return events_.create(target); }

}  // namespace earshot
