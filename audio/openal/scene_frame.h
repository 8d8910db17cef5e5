// The one place where the scene's left-handed frame (+z in front) meets
// OpenAL's right-handed one (-z in front): z changes sign, for positions
// and for direction vectors alike.
#pragma once

#include <array>

namespace earshot {

inline std::array<float, 3> toOpenAlFrame(float x, float y, float z) {
    return {x, y, -z};
}

}  // namespace earshot
