// The benchmark's reference for the game's cost while it plays: the least
// an OpenAL Soft program does to play the same four sound files looping
// with HRTF from the places where the first level's speakers sit (near
// x -5, z -5 behind and to the left of the listener at height 4), with the
// game's distance settings. It plays until it is killed.
//
//   earshot_reference_player FRONT_LEFT FRONT_RIGHT REAR_LEFT REAR_RIGHT
#include <unistd.h>

#include <cstdio>

#include "openal_scene.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: earshot_reference_player FL FR RL RR\n");
        return 2;
    }
    if (!earshot::bench::openScene("reference player")) {
        return 1;
    }
    // OpenAL looks down -z, the game's scene looks down +z, so the game's z
    // is negated here.
    const float places[4][2] = {{-5.0F, -5.0F}, {-4.9F, -5.0F}, {-5.0F, -4.9F}, {-4.9F, -4.9F}};
    for (int i = 0; i < 4; ++i) {
        if (earshot::bench::playLooping(argv[i + 1], places[i][0], 4.0F, -places[i][1]) == 0) {
            std::fprintf(stderr, "reference player: cannot read %s\n", argv[i + 1]);
            return 1;
        }
    }
    if (alGetError() != AL_NO_ERROR) {
        std::fprintf(stderr, "reference player: OpenAL failed\n");
        return 1;
    }
    for (;;) {
        pause();
    }
}
