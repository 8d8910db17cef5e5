// The game's voice on a Linux desktop. Blind players hear their desktop
// through a screen reader whose speech runs through speech-dispatcher, in
// the voice, language and rate they chose; so the game speaks through that
// service when it can reach it, and through its own built-in voice when
// there is none. A service that fails later (it went away, or stopped
// answering) hands that call and every later one to the built-in voice,
// until the sound output comes back after a loss: the service plays through
// the same sound server, so it is tried again then.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "speech/sp_voice.h"
#include "speech/speechd/speechd_limits.h"

namespace earshot {

class SpeechdVoice;

struct DesktopVoiceOptions {
    // Start the service when it is not running (the desktop's own settings
    // may still forbid it).
    bool autospawn = true;
    SpeechdLimits limits;
    // The language of the translation the game speaks ("de"), which the
    // service is asked for; empty while the game speaks English, so that
    // the service keeps the language the player chose.
    std::string language;
    // Whether the sound output is lost now, and how many times it has come
    // back after a loss.
    std::function<bool()> soundLost = [] { return false; };
    std::function<int()> soundReturns = [] { return 0; };
    // Told, with the service's own reason, when the service has failed and
    // the built-in voice speaks in its place; by default a line on
    // standard error.
    std::function<void(const std::string& cause)> serviceFailed;
};

class DesktopVoice : public SpVoice {
public:
    using VoiceFactory = std::function<std::shared_ptr<SpVoice>()>;

    // Connects to the service; without one, makes the built-in voice at
    // once, and throws SpeechError when that fails too (there is no voice).
    DesktopVoice(const DesktopVoiceOptions& options, VoiceFactory makeBuiltIn);
    ~DesktopVoice() override;

    void Speak(const std::string& text, std::int32_t flags) override;

    // True while the service speaks, false once the built-in voice does.
    bool speaksThroughService() const { return service_ != nullptr; }
    // The service's voice while it speaks, else null.
    const SpeechdVoice* service() const { return service_.get(); }

private:
    SpVoice& builtIn();
    // Connects to the service; false when there is none.
    bool connect();

    DesktopVoiceOptions options_;
    // The sound's returns when the service was last connected or tried.
    int returnsAtTry_ = 0;
    VoiceFactory makeBuiltIn_;
    std::unique_ptr<SpeechdVoice> service_;
    std::shared_ptr<SpVoice> builtIn_;
};

// The voice the program speaks with: the desktop's speech service when it
// can be reached, else the built-in espeak-ng voice; both in `language`,
// that of the translation the game speaks (empty for English); a service
// that fails is told to `serviceFailed` when given. Throws SpeechError when
// neither can speak.
std::shared_ptr<SpVoice> createDesktopVoice(
    const std::string& language = "",
    std::function<void(const std::string& cause)> serviceFailed = nullptr);

// The sentence that tells the player the built-in voice has taken over.
const char* speechServiceFailedText();

}  // namespace earshot
