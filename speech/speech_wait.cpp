#include "speech/speech_wait.h"

#include <utility>

namespace earshot {

namespace {

std::function<void()>& installedHook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void setSpeechWaitHook(std::function<void()> hook) { installedHook() = std::move(hook); }

void whileSpeechWaits() {
    if (const auto& hook = installedHook()) {
        hook();
    }
}

}  // namespace earshot
