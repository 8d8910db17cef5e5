// The OpenAL implementation of the 3D audio service, on the process's one
// audio output.
#pragma once

#include <memory>
#include <string>

#include "audio/direct_sound.h"

namespace earshot {

// An empty guid is the default output device (the process's shared
// output). Any other guid names no device this service knows, and throws
// AudioError, as does a missing device.
std::shared_ptr<DirectSound8> createOpenAlDirectSound(const std::string& guid);

}  // namespace earshot
