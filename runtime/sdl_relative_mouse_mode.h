// The mouse capture of the real window: SDL's relative mouse mode.
#pragma once

#include "runtime/pointer_capture.h"

namespace earshot {

class SdlRelativeMouseMode final : public PointerCapture {
public:
    void capture() override;
    void release() noexcept override;
};

// Whether the window system has a pointer the game can read: a video
// subsystem is running and it is a real display, not one of SDL's
// displayless drivers.
bool sdlHasPointer();

}  // namespace earshot
