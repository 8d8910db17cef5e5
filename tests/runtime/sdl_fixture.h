// A real SdlRuntime on SDL's dummy video driver: a window with no display,
// whose event queue the tests fill with SDL_PushEvent.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/windowing_runtime.h"
#include "runtime/sdl_runtime.h"

namespace earshot::testing {

// The game object's part in the tests: it logs what reaches it.
class LoggingForm final : public WindowEvents {
public:
    void onLoad() override { log.push_back("load"); }
    void onKeyDown(std::int16_t keyCode, std::int16_t shift) override {
        log.push_back("key " + std::to_string(keyCode) +
                      (shift != 0 ? " shift " + std::to_string(shift) : std::string()));
        if (onKey) {
            onKey(keyCode);
        }
    }
    void onTimer() override { log.push_back("tick"); }

    std::vector<std::string> log;
    std::function<void(std::int16_t)> onKey;
};

class SdlRuntimeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Never the developer's display: the tests must not depend on one.
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }

    SdlRuntimeTest() {
        runtime_ = std::make_unique<SdlRuntime>();
        // Whatever SDL queued when the window was made is not the tests'.
        runtime_->doEvents();
        runtime_->attach(form_);
    }

    static void pushKey(SDL_Keycode sym, SDL_Scancode scancode, std::uint16_t modifiers = 0,
                        bool repeat = false) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.sym = sym;
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = modifiers;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

    LoggingForm form_;
    std::unique_ptr<SdlRuntime> runtime_;
};

}  // namespace earshot::testing
