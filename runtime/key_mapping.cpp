#include "runtime/key_mapping.h"

#include "input/key_codes.h"

namespace earshot {

namespace {

std::optional<std::int16_t> latinLetter(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) {
        return static_cast<std::int16_t>('A' + (sym - SDLK_a));
    }
    return std::nullopt;
}

std::optional<std::int16_t> letterAtPlace(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return static_cast<std::int16_t>('A' + (scancode - SDL_SCANCODE_A));
    }
    return std::nullopt;
}

// A character key whose character lies outside ASCII, such as a Cyrillic
// letter; SDL's special keys carry the scancode mask instead.
bool isNonAsciiCharacter(SDL_Keycode sym) {
    return sym >= 0x80 && (sym & SDLK_SCANCODE_MASK) == 0;
}

}  // namespace

std::optional<std::int16_t> virtualKeyCode(SDL_Keycode sym, SDL_Scancode scancode) {
    if (auto letter = latinLetter(sym)) {
        return letter;
    }
    if (scancode == SDL_SCANCODE_SEMICOLON) {
        return keys::Semicolon;
    }
    if (scancode == SDL_SCANCODE_SLASH) {
        return keys::Slash;
    }
    if (sym == SDLK_SEMICOLON) {
        return keys::Semicolon;
    }
    if (sym == SDLK_SLASH) {
        return keys::Slash;
    }
    if (isNonAsciiCharacter(sym)) {
        if (auto letter = letterAtPlace(scancode)) {
            return letter;
        }
    }
    switch (sym) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return keys::Enter;
        case SDLK_ESCAPE:
            return keys::Escape;
        case SDLK_SPACE:
            return keys::Space;
        case SDLK_F1:
            return keys::F1;
        default:
            return std::nullopt;
    }
}

std::int16_t shiftMask(std::uint16_t modifiers) {
    std::int16_t mask = 0;
    if ((modifiers & KMOD_SHIFT) != 0) {
        mask |= 1;
    }
    if ((modifiers & KMOD_CTRL) != 0) {
        mask |= 2;
    }
    if ((modifiers & KMOD_ALT) != 0) {
        mask |= 4;
    }
    return mask;
}

}  // namespace earshot
