#include "speech/speechd/speechd_voice.h"

#include <algorithm>
#include <cctype>

#include "game/errors.h"

namespace earshot {

namespace {

// Nothing to be heard, and the service would not report an end for it.
bool silent(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c) != 0; });
}

}  // namespace

SpeechdVoice::SpeechdVoice(bool autospawn, const SpeechdLimits& limits,
                           std::function<bool()> soundLost)
    : limits_(limits),
      soundLost_(std::move(soundLost)),
      connection_(std::make_unique<SpeechdConnection>(autospawn, limits)) {}

std::chrono::milliseconds SpeechdVoice::endBound(const std::string& text) const {
    return limits_.endBase + limits_.endPerCharacter * static_cast<std::int64_t>(text.size());
}

void SpeechdVoice::Speak(const std::string& text, std::int32_t /*flags: always synchronous*/) {
    if (failed_) {
        throw SpeechError("The speech service failed earlier");
    }
    if (silent(text) || (soundLost_ && soundLost_())) {
        return;
    }
    try {
        const std::size_t messageId = connection_->say(text);
        switch (connection_->waitForEnd(messageId, std::chrono::steady_clock::now() + endBound(text),
                                        soundLost_)) {
        case EndWait::Ended:
        case EndWait::Cancelled:
            return;
        case EndWait::Stopped:
            connection_->cancel();
            return;
        case EndWait::ConnectionLost:
            throw SpeechError("The speech service went away while it spoke");
        case EndWait::TimedOut:
            connection_->giveUp();
            throw SpeechError("The speech service did not finish a message within " +
                              std::to_string(endBound(text).count()) + " ms");
        }
    } catch (...) {
        failed_ = true;
        throw;
    }
}

}  // namespace earshot
