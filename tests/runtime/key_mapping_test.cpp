// The key codes the game receives for SDL's key events, on several layouts,
// and the shift mask.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "scenario_name.h"
#include "runtime/key_mapping.h"

namespace earshot {
namespace {

struct KeyCase {
    const char* scenario;
    SDL_Keycode sym;
    SDL_Scancode scancode;
    std::int16_t expected;
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
    return out << c.scenario << " (keycode 0x" << std::hex << c.sym << std::dec << ", scancode "
               << c.scancode << ")";
}

class KeyMapping : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMapping, GivesTheGamesCode) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(virtualKeyCode(c.sym, c.scancode), c.expected) << c;
}

constexpr std::int16_t none = 0;

INSTANTIATE_TEST_SUITE_P(
    Layouts, KeyMapping,
    ::testing::Values(
        // US layout.
        KeyCase{"US E", SDLK_e, SDL_SCANCODE_E, 69}, KeyCase{"US A", SDLK_a, SDL_SCANCODE_A, 65},
        KeyCase{"US Z", SDLK_z, SDL_SCANCODE_Z, 90},
        KeyCase{"US semicolon", SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, 186},
        KeyCase{"US slash", SDLK_SLASH, SDL_SCANCODE_SLASH, 191},
        // Letters follow the layout, not the place of the key.
        KeyCase{"AZERTY A on the US Q key", SDLK_a, SDL_SCANCODE_Q, 65},
        KeyCase{"AZERTY Q on the US A key", SDLK_q, SDL_SCANCODE_A, 81},
        KeyCase{"AZERTY Z on the US W key", SDLK_z, SDL_SCANCODE_W, 90},
        KeyCase{"QWERTZ Z on the US Y key", SDLK_z, SDL_SCANCODE_Y, 90},
        KeyCase{"QWERTZ Y on the US Z key", SDLK_y, SDL_SCANCODE_Z, 89},
        // The wire keys are the keys at the US semicolon and slash places,
        // whatever they carry, unless it is a letter.
        KeyCase{"QWERTZ o-umlaut on the semicolon key", 0xF6, SDL_SCANCODE_SEMICOLON, 186},
        KeyCase{"QWERTZ minus on the slash key", SDLK_MINUS, SDL_SCANCODE_SLASH, 191},
        KeyCase{"Cyrillic zhe on the semicolon key", 0x436, SDL_SCANCODE_SEMICOLON, 186},
        KeyCase{"Cyrillic full stop on the slash key", SDLK_PERIOD, SDL_SCANCODE_SLASH, 191},
        KeyCase{"AZERTY M on the semicolon key", SDLK_m, SDL_SCANCODE_SEMICOLON, 77},
        KeyCase{"AZERTY semicolon on the US comma key", SDLK_SEMICOLON, SDL_SCANCODE_COMMA, 186},
        KeyCase{"AZERTY exclamation mark on the slash key", SDLK_EXCLAIM, SDL_SCANCODE_SLASH, 191},
        KeyCase{"Dvorak S on the semicolon key", SDLK_s, SDL_SCANCODE_SEMICOLON, 83},
        KeyCase{"Dvorak Z on the slash key", SDLK_z, SDL_SCANCODE_SLASH, 90},
        KeyCase{"Dvorak semicolon on the US Z key", SDLK_SEMICOLON, SDL_SCANCODE_Z, 186},
        KeyCase{"Dvorak slash on the US bracket key", SDLK_SLASH, SDL_SCANCODE_LEFTBRACKET, 191},
        // Layouts without Latin letters use the letter at the key's place.
        KeyCase{"Cyrillic ef on the US A key", 0x444, SDL_SCANCODE_A, 65},
        KeyCase{"Greek zeta on the US Z key", 0x3B6, SDL_SCANCODE_Z, 90},
        KeyCase{"Turkish dotless i on the US I key", 0x131, SDL_SCANCODE_I, 73},
        // Enter, Escape, Space.
        KeyCase{"Return", SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
        KeyCase{"keypad Enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
        KeyCase{"Escape", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},
        KeyCase{"Space", SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
        // Keys without a command keep their codes: the function keys, the
        // main row's digits by their place, the arrows.
        KeyCase{"F1", SDLK_F1, SDL_SCANCODE_F1, 112}, KeyCase{"F2", SDLK_F2, SDL_SCANCODE_F2, 113},
        KeyCase{"F12", SDLK_F12, SDL_SCANCODE_F12, 123},
        KeyCase{"digit 1", SDLK_1, SDL_SCANCODE_1, 49},
        KeyCase{"digit 9", SDLK_9, SDL_SCANCODE_9, 57},
        KeyCase{"digit 0", SDLK_0, SDL_SCANCODE_0, 48},
        KeyCase{"AZERTY e-acute on the digit 2 key", 0xE9, SDL_SCANCODE_2, 50},
        KeyCase{"AZERTY ampersand on the digit 1 key", SDLK_AMPERSAND, SDL_SCANCODE_1, 49},
        KeyCase{"left arrow", SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
        KeyCase{"up arrow", SDLK_UP, SDL_SCANCODE_UP, 38},
        KeyCase{"right arrow", SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},
        KeyCase{"down arrow", SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
        // Keys the game has no code for give 0.
        KeyCase{"F13", SDLK_F13, SDL_SCANCODE_F13, none},
        KeyCase{"left Shift alone", SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, none},
        KeyCase{"US left bracket", SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, none},
        KeyCase{"keypad divide", SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, none},
        KeyCase{"keypad 1", SDLK_KP_1, SDL_SCANCODE_KP_1, none},
        KeyCase{"Tab", SDLK_TAB, SDL_SCANCODE_TAB, none}),
    earshot::testing::scenarioName<KeyCase>);

struct ShiftCase {
    const char* scenario;
    std::uint16_t modifiers;
    std::int16_t expected;
};

std::ostream& operator<<(std::ostream& out, const ShiftCase& c) { return out << c.scenario; }

class ShiftMask : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(ShiftMask, IsTheHandlersMask) {
    const ShiftCase& c = GetParam();
    EXPECT_EQ(shiftMask(c.modifiers), c.expected)
        << c.scenario << ": SDL modifiers 0x" << std::hex << c.modifiers;
}

INSTANTIATE_TEST_SUITE_P(
    Modifiers, ShiftMask,
    ::testing::Values(ShiftCase{"none", KMOD_NONE, 0}, ShiftCase{"left Shift", KMOD_LSHIFT, 1},
                      ShiftCase{"right Shift", KMOD_RSHIFT, 1}, ShiftCase{"left Ctrl", KMOD_LCTRL, 2},
                      ShiftCase{"right Alt", KMOD_RALT, 4},
                      ShiftCase{"Shift Ctrl Alt", KMOD_LSHIFT | KMOD_RCTRL | KMOD_LALT, 7},
                      ShiftCase{"Caps Lock and Num Lock", KMOD_CAPS | KMOD_NUM, 0},
                      ShiftCase{"Windows key", KMOD_LGUI, 0}),
    earshot::testing::scenarioName<ShiftCase>);

}  // namespace
}  // namespace earshot
