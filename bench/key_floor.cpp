// The floor of the key-to-ear figure: the least an SDL and OpenAL Soft
// program does to move a sound when a key goes down. Its window, titled
// "earshot floor", waits for keys; one source plays a music file looping
// with HRTF, as the game's front left speaker does in the benchmark, from
// one unit left of the listener at its height. F moves it a step right and
// down to height 0, below the listener, where a move key puts the game's
// speaker; S moves it back. Escape ends it.
//
//   earshot_bench_key_floor MUSIC_FILE
#include <SDL.h>

#include <cstdio>

#include "openal_scene.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: earshot_bench_key_floor MUSIC_FILE\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "key floor: no window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("earshot floor", SDL_WINDOWPOS_UNDEFINED,
                                          SDL_WINDOWPOS_UNDEFINED, 320, 240, 0);
    if (window == nullptr || !earshot::bench::openScene("key floor")) {
        return 1;
    }
    const ALuint source = earshot::bench::playLooping(argv[1], -1.0F, 4.0F, 0.0F);
    if (source == 0 || alGetError() != AL_NO_ERROR) {
        std::fprintf(stderr, "key floor: cannot play %s\n", argv[1]);
        return 1;
    }
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            break;
        }
        if (event.type != SDL_KEYDOWN) {
            continue;
        }
        const SDL_Keycode key = event.key.keysym.sym;
        if (key == SDLK_ESCAPE) {
            break;
        }
        if (key == SDLK_f) {
            alSource3f(source, AL_POSITION, -0.9F, 0.0F, 0.0F);
        } else if (key == SDLK_s) {
            alSource3f(source, AL_POSITION, -1.0F, 4.0F, 0.0F);
        }
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
