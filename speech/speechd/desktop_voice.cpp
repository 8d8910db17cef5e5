#include "speech/speechd/desktop_voice.h"

#include <exception>
#include <iostream>

#include "game/errors.h"
#include "game/sentences.h"
#include "speech/speechd/speechd_voice.h"

namespace earshot {

DesktopVoice::DesktopVoice(const DesktopVoiceOptions& options, VoiceFactory makeBuiltIn)
    : options_(options), makeBuiltIn_(std::move(makeBuiltIn)) {
    if (!connect()) {
        // No service on this desktop is the common case, not a fault.
        builtIn();
    }
}

bool DesktopVoice::connect() {
    returnsAtTry_ = options_.soundReturns();
    try {
        service_ = std::make_unique<SpeechdVoice>(options_.autospawn, options_.limits, options_.language,
                                                  options_.soundLost);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

DesktopVoice::~DesktopVoice() = default;

SpVoice& DesktopVoice::builtIn() {
    if (!builtIn_) {
        builtIn_ = makeBuiltIn_();
        if (!builtIn_) {
            throw SpeechError("The built-in voice could not be made");
        }
    }
    return *builtIn_;
}

const char* speechServiceFailedText() {
    return sentence("The desktop's speech service stopped answering. The game speaks with its own voice now.");
}

void DesktopVoice::Speak(const std::string& text, std::int32_t flags) {
    // A service that failed with the sound is tried again once the sound is
    // back, once each time it comes back.
    if (!service_ && options_.soundReturns() != returnsAtTry_ && !options_.soundLost()) {
        connect();
    }
    if (service_) {
        try {
            service_->Speak(text, flags);
            return;
        } catch (const std::exception& error) {
            service_.reset();
            returnsAtTry_ = options_.soundReturns();
            if (options_.serviceFailed) {
                options_.serviceFailed(error.what());
            } else {
                std::cerr << speechServiceFailedText() << " (" << error.what() << ")" << std::endl;
            }
        }
    }
    builtIn().Speak(text, flags);
}

}  // namespace earshot
