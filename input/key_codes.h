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
inline constexpr std::int16_t F1 = 112;

}  // namespace earshot::keys
