#include "runtime/sdl_video.h"

#include <string>
#include <string_view>

#include "game/errors.h"
#include "runtime/sdl_check.h"

namespace earshot {

namespace {

// A display that is there but refuses one connection (a busy X server does)
// is tried again before the game says there is none.
inline constexpr int displayAttempts = 5;
inline constexpr Uint32 displayRetryMilliseconds = 100;

bool isSet(const char* variable) {
    const char* value = SDL_getenv(variable);
    return value != nullptr && *value != '\0';
}

bool driverWasAskedFor() {
    return isSet("SDL_VIDEODRIVER");
}

}  // namespace

SdlVideo::SdlVideo() {
    // The event loop takes SDL's pending events in batches of its own and
    // needs no marker for the end of a polling round.
    SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
    // The window is only ever cleared to black: no 3D renderer for that.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");

    const int attempts = isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") ? displayAttempts : 1;
    for (int attempt = 1;; ++attempt) {
        throwIfSdlFailed(SDL_Init(SDL_INIT_VIDEO), "SDL cannot start its video");
        // Without a display SDL quietly settles for a driver that has none,
        // and the game would run in a window nobody can reach. Only a
        // deliberate choice (the tests make one) may use such a driver.
        if (!isDisplaylessVideoDriver() || driverWasAskedFor()) {
            return;
        }
        SDL_Quit();
        if (attempt == attempts) {
            throw WindowError(
                "there is no display to open it on (neither DISPLAY nor WAYLAND_DISPLAY names one "
                "that answers).");
        }
        SDL_Delay(displayRetryMilliseconds);
    }
}

SdlVideo::~SdlVideo() { SDL_Quit(); }

bool isDisplaylessVideoDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) {
        return true;
    }
    const std::string_view name(driver);
    return name == "offscreen" || name == "dummy";
}

SdlWindow createHiddenWindow(const char* title, int width, int height) {
    SdlWindow window(SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                      height, SDL_WINDOW_HIDDEN));
    if (!window) {
        throw WindowError(sdlFailure("SDL cannot create the window"));
    }
    return window;
}

}  // namespace earshot
