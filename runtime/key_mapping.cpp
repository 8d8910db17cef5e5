#include "runtime/key_mapping.h"

#include <optional>

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

// The digits of the main row, by their place: a layout that gives them
// only with Shift (AZERTY) still has its digit keys there.
std::optional<std::int16_t> digitAtPlace(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return keys::digit(1 + (scancode - SDL_SCANCODE_1));
    }
    if (scancode == SDL_SCANCODE_0) {
        return keys::digit(0);
    }
    return std::nullopt;
}

std::optional<std::int16_t> functionKey(SDL_Keycode sym) {
    if (sym >= SDLK_F1 && sym <= SDLK_F12) {
        return keys::function(1 + (sym - SDLK_F1));
    }
    return std::nullopt;
}

// A character key whose character lies outside ASCII, such as a Cyrillic
// letter; SDL's special keys carry the scancode mask instead.
bool isNonAsciiCharacter(SDL_Keycode sym) {
    return sym >= 0x80 && (sym & SDLK_SCANCODE_MASK) == 0;
}

}  // namespace

std::int16_t virtualKeyCode(SDL_Keycode sym, SDL_Scancode scancode) {
    if (auto letter = latinLetter(sym)) {
        return *letter;
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
    if (auto digit = digitAtPlace(scancode)) {
        return *digit;
    }
    if (isNonAsciiCharacter(sym)) {
        if (auto letter = letterAtPlace(scancode)) {
            return *letter;
        }
    }
    if (auto function = functionKey(sym)) {
        return *function;
    }
    switch (sym) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return keys::Enter;
        case SDLK_ESCAPE:
            return keys::Escape;
        case SDLK_SPACE:
            return keys::Space;
        case SDLK_LEFT:
            return keys::Left;
        case SDLK_UP:
            return keys::Up;
        case SDLK_RIGHT:
            return keys::Right;
        case SDLK_DOWN:
            return keys::Down;
        default:
            return keys::NoCode;
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
