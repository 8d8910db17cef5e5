// The platform root object: it makes the audio device, the input root and
// the notification events that buffered input signals.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "audio/direct_sound.h"
#include "input/direct_input.h"

namespace earshot {

class DirectX8 {
public:
    virtual ~DirectX8() = default;
    // An empty guid opens the default output device.
    virtual std::shared_ptr<DirectSound8> DirectSoundCreate(const std::string& guid) = 0;
    virtual std::shared_ptr<DirectInput8> DirectInputCreate() = 0;
    // Makes an event that calls target->DXCallback on the event thread when
    // it is signalled; returns its handle. Events outlive the root that made
    // them.
    virtual std::int32_t CreateEvent(DirectXEvent8* target) = 0;
};

}  // namespace earshot
