// The voice that speaks through the desktop's speech service, in the
// user's own voice, rate and language. A call returns when the service
// reports the end of that very message, or that something else (a screen
// reader's more urgent speech) cut it off, so calls are heard one after
// another in call order. It fails with a SpeechError, never hangs, when the
// service goes away or stops answering; once failed, it stays failed.
// The service plays through the desktop's sound server: while the game's
// sound output is lost, the service cannot be heard either, so a message is
// not sent, and one being spoken is cancelled, never to be said later.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "speech/sp_voice.h"
#include "speech/speechd/speechd_connection.h"
#include "speech/speechd/speechd_limits.h"

namespace earshot {

class SpeechdVoice : public SpVoice {
public:
    // Throws SpeechError when there is no service to speak through.
    // `soundLost` tells whether the sound output is lost now; empty, never.
    SpeechdVoice(bool autospawn, const SpeechdLimits& limits,
                 std::function<bool()> soundLost = {});

    void Speak(const std::string& text, std::int32_t flags) override;

    // The ends the service reported, for whoever wants to see the order.
    const SpeechdEvents& events() const { return connection_->events(); }

    // How long Speak waits at most for the end of `text`.
    std::chrono::milliseconds endBound(const std::string& text) const;

private:
    SpeechdLimits limits_;
    std::function<bool()> soundLost_;
    std::unique_ptr<SpeechdConnection> connection_;
    bool failed_ = false;
};

}  // namespace earshot
