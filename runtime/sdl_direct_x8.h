// The platform root of the real program: audio through OpenAL Soft, the
// mouse through SDL, notification events of the whole process.
#pragma once

#include "game/direct_x8.h"
#include "runtime/notification_events.h"
#include "runtime/sdl_event_sinks.h"

namespace earshot {

class SdlDirectX8 final : public DirectX8 {
public:
    explicit SdlDirectX8(SdlEventSinks& windowEvents,
                         NotificationEvents& events = NotificationEvents::processWide());

    std::shared_ptr<DirectSound8> DirectSoundCreate(const std::string& guid) override;
    std::shared_ptr<DirectInput8> DirectInputCreate() override;
    std::int32_t CreateEvent(DirectXEvent8* target) override;

private:
    SdlEventSinks& windowEvents_;
    NotificationEvents& events_;
};

}  // namespace earshot
