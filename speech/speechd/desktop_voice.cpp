#include "speech/speechd/desktop_voice.h"

#include <exception>
#include <iostream>

#include "game/errors.h"
#include "speech/speechd/speechd_voice.h"

namespace earshot {

DesktopVoice::DesktopVoice(const DesktopVoiceOptions& options, VoiceFactory makeBuiltIn)
    : makeBuiltIn_(std::move(makeBuiltIn)) {
    try {
        service_ = std::make_unique<SpeechdVoice>(options.autospawn, options.limits, options.language);
    } catch (const std::exception&) {
        // No service on this desktop is the common case, not a fault.
        builtIn();
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

void DesktopVoice::Speak(const std::string& text, std::int32_t flags) {
    if (service_) {
        try {
            service_->Speak(text, flags);
            return;
        } catch (const std::exception& error) {
            service_.reset();
            std::cerr << "The desktop's speech service failed (" << error.what()
                      << "); the game's own voice speaks from now on." << std::endl;
        }
    }
    builtIn().Speak(text, flags);
}

}  // namespace earshot
