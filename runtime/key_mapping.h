// Turns SDL's key events into the key codes the game's key handler tests,
// and SDL's modifier state into the handler's shift mask.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace earshot {

// The game's code of a key: the Windows virtual-key code where the key has
// one the game knows, else 0 (keys::NoCode); every key-down reaches the key
// handler, whether a command answers it or not.
// A letter is the letter the current layout puts on the key, as its capital
// (65 to 90). The wire keys 186 and 191 are the keys that sit where a US
// keyboard has its semicolon and slash, whatever the layout prints on them,
// unless the layout puts a letter there (that key is the letter); a layout
// whose semicolon or slash is on another, letterless key gives 186 or 191
// there as well. A layout without Latin letters (Cyrillic, Greek, ...) gives
// its letter keys the codes of the Latin letters at the same places. Enter
// (main and keypad) is 13, Escape 27, Space 32. The keys of the main row's
// digits are 48 to 57 by their place, whatever the layout prints on them,
// unless it is a letter; the arrows are 37 to 40 and F1 to F12 112 to 123.
std::int16_t virtualKeyCode(SDL_Keycode sym, SDL_Scancode scancode);

// SDL's modifiers as the key handler's shift mask: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftMask(std::uint16_t modifiers);

}  // namespace earshot
