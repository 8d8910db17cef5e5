// SDL's video subsystem and the game's one window, each released when it
// goes out of scope.
#pragma once

#include <SDL.h>

#include <memory>

namespace earshot {

// SDL with its video (and so event) subsystem running on a real display.
// Throws WindowError with the reason when there is no display to run on.
// SDL's displayless drivers (dummy, offscreen) are used only when
// SDL_VIDEODRIVER asks for one.
class SdlVideo {
public:
    SdlVideo();
    ~SdlVideo();
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
};

// Whether SDL's video runs on a driver without a display (or not at all).
bool isDisplaylessVideoDriver();

struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
using SdlWindow = std::unique_ptr<SDL_Window, SdlWindowDeleter>;

// A hidden window with this title and client area in pixels. Throws
// WindowError with SDL's reason.
SdlWindow createHiddenWindow(const char* title, int width, int height);

}  // namespace earshot
