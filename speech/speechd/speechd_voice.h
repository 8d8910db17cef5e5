// The voice that speaks through the desktop's speech service, in the
// user's own voice, rate and language. A call returns when the service
// reports the end of that very message, or that something else (a screen
// reader's more urgent speech) cut it off, so calls are heard one after
// another in call order. It fails with a SpeechError, never hangs, when the
// service goes away or stops answering; once failed, it stays failed.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "speech/sp_voice.h"
#include "speech/speechd/speechd_connection.h"
#include "speech/speechd/speechd_limits.h"

namespace earshot {

class SpeechdVoice : public SpVoice {
public:
    // Asks the service for `language` unless it is empty. Throws
    // SpeechError when there is no service to speak through.
    SpeechdVoice(bool autospawn, const SpeechdLimits& limits, const std::string& language = "");

    void Speak(const std::string& text, std::int32_t flags) override;

    // The ends the service reported, for whoever wants to see the order.
    const SpeechdEvents& events() const { return connection_->events(); }

    // How long Speak waits at most for the end of `text`.
    std::chrono::milliseconds endBound(const std::string& text) const;

private:
    SpeechdLimits limits_;
    std::unique_ptr<SpeechdConnection> connection_;
    bool failed_ = false;
};

}  // namespace earshot
