// The key codes the key handler tests: the platform's virtual-key codes,
// letters as the codes of their capital letters whatever the shift state.
#pragma once

#include <cstdint>

namespace earshot::keys {

inline constexpr std::int16_t Enter = 13;
inline constexpr std::int16_t Escape = 27;
inline constexpr std::int16_t Space = 32;
// A letter's code is its capital letter: 'A' (65) to 'Z' (90).
constexpr std::int16_t letter(char capital) { return static_cast<std::int16_t>(capital); }
// The keys that carry the semicolon and the slash on a US layout.
inline constexpr std::int16_t Semicolon = 186;
inline constexpr std::int16_t Slash = 191;
// The keys the game has no command for still reach the handler: the digits
// of the main row as '0' (48) to '9' (57), the arrows, the function keys
// F1 (112) to F12 (123), and every other key as 0.
constexpr std::int16_t digit(int value) { return static_cast<std::int16_t>('0' + value); }
inline constexpr std::int16_t Left = 37;
inline constexpr std::int16_t Up = 38;
inline constexpr std::int16_t Right = 39;
inline constexpr std::int16_t Down = 40;
constexpr std::int16_t function(int number) { return static_cast<std::int16_t>(111 + number); }
inline constexpr std::int16_t NoCode = 0;
// F1 says the help.
inline constexpr std::int16_t F1 = function(1);

}  // namespace earshot::keys
