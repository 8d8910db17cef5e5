// The score as it is spoken: a Single as text, with at most seven
// significant digits, no trailing zeros, no decimal point for a whole
// number and a leading minus sign for a negative one.
#pragma once

#include <string>

namespace earshot {

std::string scoreText(float score);

}  // namespace earshot
