// Taking the mouse for the game window and giving it back: while the game
// holds the mouse it reports relative motion and the pointer cannot wander
// off the window. The mouse device works through this so that its tests
// need no display.
#pragma once

namespace earshot {

class PointerCapture {
public:
    virtual ~PointerCapture() = default;
    // Throws InputError when the mouse cannot be captured.
    virtual void capture() = 0;
    // Never fails.
    virtual void release() noexcept = 0;
};

}  // namespace earshot
