#include "speech/espeak/espeak_voice.h"

#include <mutex>
#include <span>

#include "audio/openal/al_output.h"
#include "game/errors.h"
#include "speech/espeak/al_speech_stream.h"
#include "speech/espeak/espeak_engine.h"
#include "speech/espeak/plain_text.h"

namespace earshot {

namespace {

using Clock = std::chrono::steady_clock;

// One utterance at a time in the whole process, whichever voice speaks it.
std::mutex speaking;

std::shared_ptr<AlOutput> openOutput() {
    try {
        return AlOutput::shared();
    } catch (const std::exception& error) {
        throw SpeechError(std::string("cannot create the speech voice: it has no audio output (") +
                          error.what() + ")");
    }
}

std::unique_ptr<AlSpeechStream> openStream(const std::shared_ptr<AlOutput>& output) {
    try {
        return std::make_unique<AlSpeechStream>(output);
    } catch (const std::exception& error) {
        throw SpeechError(std::string("cannot create the speech voice: ") + error.what());
    }
}

}  // namespace

EspeakVoice::EspeakVoice()
    : engine_(EspeakEngine::instance()), output_(openOutput()), stream_(openStream(output_)) {}

EspeakVoice::~EspeakVoice() = default;

void EspeakVoice::Speak(const std::string& text, std::int32_t flags) {
    if (flags != SVSFDefault) {
        throw SpeechError("speaking \"" + text + "\" failed: the voice takes only flags 0 (plain " +
                          "text, spoken to the end), not " + std::to_string(flags));
    }
    const std::lock_guard lock(speaking);
    const auto start = Clock::now();
    last_ = Utterance{};
    last_.sampleRate = engine_.sampleRate();
    // Nothing can be heard while the output is lost: the sentence passes as
    // if it had been, and is not said later.
    output_->poll();
    if (text.empty() || output_->lost()) {
        return;
    }
    try {
        engine_.synthesize(plainText(text), [&](std::span<const std::int16_t> samples) {
            stream_->queue(samples, last_.sampleRate);
            if (!last_.firstSoundAfter) {
                last_.firstSoundAfter = Clock::now() - start;
            }
            last_.samples += samples.size();
        });
        stream_->waitUntilPlayed();
    } catch (const SpeechError&) {
        stream_->stop();
        throw;
    } catch (const std::exception& error) {
        stream_->stop();
        throw SpeechError("speaking \"" + text + "\" failed: " + error.what());
    }
    last_.callDuration = Clock::now() - start;
}

std::shared_ptr<SpVoice> createEspeakVoice() {
    return std::make_shared<EspeakVoice>();
}

}  // namespace earshot
