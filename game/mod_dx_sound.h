// The audio objects the whole game shares: the platform root, the device,
// the buffer descriptions, the listener and every sound with its 3D
// control, and the exit procedure that releases them.
#pragma once

#include <memory>

#include "audio/direct_sound.h"
#include "game/direct_x8.h"
#include "game/windowing_runtime.h"

namespace earshot {

struct ModDXSound {
    std::shared_ptr<DirectX8> DX;
    std::shared_ptr<DirectSound8> DS;
    DSBUFFERDESC BufferDesc;
    DSBUFFERDESC PrimaryDesc;
    std::shared_ptr<DirectSoundPrimaryBuffer8> PrimaryBuffer;
    std::shared_ptr<DirectSound3DListener8> Listener;
    std::shared_ptr<DirectSound3DBuffer8> FrontLeft3D;
    std::shared_ptr<DirectSoundSecondaryBuffer8> FrontLeftBuffer;
    std::shared_ptr<DirectSound3DBuffer8> FrontRight3D;
    std::shared_ptr<DirectSoundSecondaryBuffer8> FrontRightBuffer;
    std::shared_ptr<DirectSound3DBuffer8> RearLeft3D;
    std::shared_ptr<DirectSoundSecondaryBuffer8> RearLeftBuffer;
    std::shared_ptr<DirectSound3DBuffer8> RearRight3D;
    std::shared_ptr<DirectSoundSecondaryBuffer8> RearRightBuffer;
    std::shared_ptr<DirectSound3DBuffer8> Cue3D;
    std::shared_ptr<DirectSoundSecondaryBuffer8> CueBuffer;
    std::shared_ptr<DirectSound3DBuffer8> Wire3D;
    std::shared_ptr<DirectSoundSecondaryBuffer8> WireBuffer;
};

// Stops the music, releases the audio objects and ends the program at once
// with status 0. A game start that failed early leaves some of them
// missing: only those that exist are stopped and released.
[[noreturn]] void ExitGame(ModDXSound& sound, WindowingRuntime& runtime);

}  // namespace earshot
