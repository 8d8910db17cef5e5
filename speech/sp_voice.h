// The speech voice as the game sees it.
#pragma once

#include <cstdint>
#include <string>

namespace earshot {

inline constexpr std::int32_t SVSFDefault = 0;

class SpVoice {
public:
    virtual ~SpVoice() = default;
    // Speaks plain text (never markup) and returns only when all of it has
    // been heard, so calls are heard one after another in call order.
    // Throws SpeechError when it cannot speak.
    virtual void Speak(const std::string& text, std::int32_t flags) = 0;
};

}  // namespace earshot
