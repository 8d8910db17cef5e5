// A stand-in for the built-in voice: it notes what it was asked to say, and
// a factory that counts how often it was asked for a voice.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "speech/sp_voice.h"

namespace earshot::test {

class RecordingVoice : public SpVoice {
public:
    void Speak(const std::string& text, std::int32_t /*flags*/) override { spoken.push_back(text); }
    std::vector<std::string> spoken;
};

struct RecordingVoiceFactory {
    std::shared_ptr<RecordingVoice> voice = std::make_shared<RecordingVoice>();
    int made = 0;

    // The factory DesktopVoice takes; `this` must outlive the voice.
    auto factory() {
        return [this]() -> std::shared_ptr<SpVoice> {
            ++made;
            return voice;
        };
    }
};

}  // namespace earshot::test
