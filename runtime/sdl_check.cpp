#include "runtime/sdl_check.h"

#include <SDL.h>

#include "game/errors.h"

namespace earshot {

std::string sdlFailure(std::string_view what) {
    std::string text(what);
    const char* reason = SDL_GetError();
    if (reason != nullptr && *reason != '\0') {
        text += ": ";
        text += reason;
    } else {
        text += '.';
    }
    return text;
}

void throwIfSdlFailed(int status, std::string_view what) {
    if (status < 0) {
        throw WindowError(sdlFailure(what));
    }
}

}  // namespace earshot
