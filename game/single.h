// Single-precision arithmetic as the game does it: every expression is
// worked out in double precision and rounded to a float only when it is
// stored, and a constant bound is rounded to float before it is compared.
// Writing `single(wide(a) + wide(b))` keeps that rule visible at every store.
#pragma once

namespace earshot {

// Rounds a double-precision result to the Single that is stored.
constexpr float single(double value) { return static_cast<float>(value); }

// Widens a stored Single so that an expression is evaluated in double.
constexpr double wide(float value) { return static_cast<double>(value); }

}  // namespace earshot
