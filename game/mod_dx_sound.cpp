#include "game/mod_dx_sound.h"

namespace earshot {

namespace {

template <typename T>
void release(std::shared_ptr<T>& reference) {
    reference.reset();
}

}  // namespace

void ExitGame(ModDXSound& sound, WindowingRuntime& runtime) {
    for (auto* buffer : {&sound.FrontLeftBuffer, &sound.FrontRightBuffer, &sound.RearLeftBuffer,
                         &sound.RearRightBuffer}) {
        if (*buffer) {
            (*buffer)->Stop();
        }
    }
    release(sound.Listener);
    release(sound.PrimaryBuffer);
    release(sound.FrontLeftBuffer);
    release(sound.FrontLeft3D);
    release(sound.FrontRightBuffer);
    release(sound.FrontRight3D);
    release(sound.RearLeftBuffer);
    release(sound.RearLeft3D);
    release(sound.RearRightBuffer);
    release(sound.RearRight3D);
    release(sound.DS);
    release(sound.DX);
    runtime.endProgram(0);
}

}  // namespace earshot
