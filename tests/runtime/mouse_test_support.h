// What the mouse tests share: a capture that only counts, a notification
// target that logs its calls, and SDL mouse events made by hand.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "game/errors.h"
#include "input/direct_input.h"
#include "runtime/pointer_capture.h"

namespace earshot::testing {

struct CaptureState {
    bool captured = false;
    int captures = 0;
    int releases = 0;
    bool refuse = false;  // capture() throws, as on a display without a pointer
};

class CountingCapture final : public PointerCapture {
public:
    explicit CountingCapture(std::shared_ptr<CaptureState> state) : state_(std::move(state)) {}
    void capture() override {
        if (state_->refuse) {
            throw InputError("the test refuses to capture the mouse.");
        }
        state_->captured = true;
        ++state_->captures;
    }
    void release() noexcept override {
        state_->captured = false;
        ++state_->releases;
    }

private:
    std::shared_ptr<CaptureState> state_;
};

class LoggingTarget final : public DirectXEvent8 {
public:
    void DXCallback(std::int32_t eventid) override {
        calls.push_back(eventid);
        if (onCall) {
            onCall();
        }
    }
    std::vector<std::int32_t> calls;
    std::function<void()> onCall;
};

inline SDL_Event motion(std::int32_t xrel, std::int32_t yrel) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = xrel;
    event.motion.yrel = yrel;
    return event;
}

inline SDL_Event button(Uint8 which, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = which;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    return event;
}

inline SDL_Event wheel(std::int32_t x, std::int32_t y, bool flipped = false) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.x = x;
    event.wheel.y = y;
    event.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    return event;
}

// The game window's id in the mouse tests.
inline constexpr Uint32 gameWindow = 1;

inline SDL_Event windowEvent(Uint8 what, Uint32 window = gameWindow) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    event.window.windowID = window;
    return event;
}

}  // namespace earshot::testing
