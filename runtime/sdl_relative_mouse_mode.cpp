#include "runtime/sdl_relative_mouse_mode.h"

#include <SDL.h>

#include "game/errors.h"
#include "runtime/sdl_check.h"
#include "runtime/sdl_video.h"

namespace earshot {

void SdlRelativeMouseMode::capture() {
    if (SDL_SetRelativeMouseMode(SDL_TRUE) < 0) {
        throw InputError(sdlFailure("cannot capture the mouse for the game window"));
    }
}

void SdlRelativeMouseMode::release() noexcept { SDL_SetRelativeMouseMode(SDL_FALSE); }

bool sdlHasPointer() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && !isDisplaylessVideoDriver();
}

}  // namespace earshot
