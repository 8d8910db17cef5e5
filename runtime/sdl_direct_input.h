// The input root over SDL: it makes the system mouse device and connects it
// to the window's events.
#pragma once

#include <memory>
#include <string>

#include "input/direct_input.h"
#include "runtime/notification_events.h"
#include "runtime/sdl_event_sinks.h"

namespace earshot {

class SdlDirectInput final : public DirectInput8 {
public:
    SdlDirectInput(SdlEventSinks& windowEvents, NotificationEvents& events);

    // GUID_SysMouse, when the display has a pointer; throws InputError
    // otherwise, and for any other device.
    std::shared_ptr<DirectInputDevice8> CreateDevice(const std::string& guid) override;

private:
    SdlEventSinks& windowEvents_;
    NotificationEvents& events_;
};

}  // namespace earshot
