// A point or direction in the audio scene: three Singles. The scene is
// left-handed: +x is the listener's right, +y up, +z in front.
#pragma once

namespace earshot {

struct D3DVECTOR {
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
};

}  // namespace earshot
