#include "input/score_text.h"

#include <array>
#include <cstdio>

namespace earshot {

std::string scoreText(float score) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.7G", static_cast<double>(score));
    std::string result(text.data());
    if (result == "-0") {
        result = "0";
    }
    return result;
}

}  // namespace earshot
