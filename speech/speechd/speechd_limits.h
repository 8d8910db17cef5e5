// How long the game waits for the desktop's speech service before it takes
// the service for gone and speaks with its own voice. Each is a bound on a
// wait that is normally far shorter; none of them paces speech.
#pragma once

#include <chrono>

namespace earshot {

struct SpeechdLimits {
    // Connecting, starting the service first when it is not running.
    std::chrono::milliseconds connect{10000};
    // The answer to one request (a message queued, a setting taken).
    std::chrono::milliseconds reply{3000};
    // The end of a message: this much, plus `endPerCharacter` for each
    // character of its text, which covers the slowest speech rate a user
    // may choose and some waiting behind other programs' speech.
    std::chrono::milliseconds endBase{10000};
    std::chrono::milliseconds endPerCharacter{200};
    // How often a wait for the end looks whether the service is still
    // there, so that one that died is noticed at once.
    std::chrono::milliseconds aliveCheck{100};
};

}  // namespace earshot
