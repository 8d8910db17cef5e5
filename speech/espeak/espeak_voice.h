// The speech voice over espeak-ng: it synthesises each text and plays it
// through the process's one audio output, returning once it has been heard.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "speech/sp_voice.h"

namespace earshot {

class AlOutput;
class AlSpeechStream;
class EspeakEngine;

class EspeakVoice final : public SpVoice {
public:
    // What the last call to Speak produced.
    struct Utterance {
        std::size_t samples = 0;  // mono samples synthesised
        int sampleRate = 0;
        // From the call to the first chunk queued and playing; empty when
        // the text made no sound.
        std::optional<std::chrono::nanoseconds> firstSoundAfter;
        std::chrono::nanoseconds callDuration{};  // the whole call
        double seconds() const {
            return sampleRate > 0 ? static_cast<double>(samples) / sampleRate : 0.0;
        }
    };

    // Throws SpeechError when there is no voice data or no audio output.
    EspeakVoice();
    ~EspeakVoice() override;

    // Speaks `text` as plain text; `flags` must be SVSFDefault (0). Blocks
    // until the whole text has been played; calls from any voice in the
    // process never overlap. An empty text returns at once, and so does any
    // text while the audio output is lost.
    void Speak(const std::string& text, std::int32_t flags) override;

    const Utterance& lastUtterance() const { return last_; }

private:
    EspeakEngine& engine_;
    std::shared_ptr<AlOutput> output_;
    std::unique_ptr<AlSpeechStream> stream_;
    Utterance last_;
};

// The program's voice. Throws SpeechError when it cannot be made.
std::shared_ptr<SpVoice> createEspeakVoice();

}  // namespace earshot
