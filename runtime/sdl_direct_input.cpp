#include "runtime/sdl_direct_input.h"

#include "game/errors.h"
#include "runtime/sdl_mouse_device.h"
#include "runtime/sdl_relative_mouse_mode.h"

namespace earshot {

SdlDirectInput::SdlDirectInput(SdlEventSinks& windowEvents, NotificationEvents& events)
    : windowEvents_(windowEvents), events_(events) {}

std::shared_ptr<DirectInputDevice8> SdlDirectInput::CreateDevice(const std::string& guid) {
    if (guid != GUID_SysMouse) {
        throw InputError("There is no input device " + guid + "; only the system mouse.");
    }
    if (!sdlHasPointer()) {
        throw InputError("There is no mouse: the display has no pointer.");
    }
    auto mouse = std::make_shared<SdlMouseDevice>(std::make_unique<SdlRelativeMouseMode>(), events_);
    windowEvents_.add(mouse);
    return mouse;
}

}  // namespace earshot
