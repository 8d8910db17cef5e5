// Everything the game object is given by the program that runs it: the
// windowing runtime, the factories of the platform root and the voice, and
// the player's language.
// Tests hand it fakes; the program hands it the SDL, OpenAL and espeak-ng
// adapters.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "game/direct_x8.h"
#include "game/windowing_runtime.h"
#include "speech/sp_voice.h"

namespace earshot {

struct Platform {
    WindowingRuntime& runtime;
    // A new platform root; throws when it cannot be made.
    std::function<std::shared_ptr<DirectX8>()> newDirectX8;
    // A new speech voice; throws SpeechError when none can be made.
    std::function<std::shared_ptr<SpVoice>()> newSpVoice;
    // The sentence in the player's language for an English one (a message
    // id of the catalogues); the English itself when there is none.
    std::function<std::string(const char* english)> translate = [](const char* english) {
        return std::string(english);
    };
};

}  // namespace earshot
