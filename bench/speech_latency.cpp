// How soon the espeak-ng voice starts to sound and how long its calls last
// compared with their audio. Plays through OpenAL's null output (real time,
// silent) unless ALSOFT_DRIVERS names another.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/errors.h"
#include "speech/espeak/espeak_voice.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(std::chrono::nanoseconds duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

}  // namespace

int main() {
    setenv("ALSOFT_DRIVERS", "null", 0);
    const std::vector<std::string> texts = {"100", "points", "Front left speaker muted",
                                            "Front left x axis locked.",
                                            "Rear right y axis locked."};
    constexpr int rounds = 5;
    try {
        const auto made = Clock::now();
        const auto voice = earshot::createEspeakVoice();
        std::printf("voice made in %.1f ms (output: %s)\n", milliseconds(Clock::now() - made),
                    std::getenv("ALSOFT_DRIVERS"));
        auto& espeak = dynamic_cast<earshot::EspeakVoice&>(*voice);
        std::printf("%-28s %8s %14s %14s %14s\n", "text", "audio s", "first ms med",
                    "first ms max", "call-audio ms");
        for (const auto& text : texts) {
            std::vector<double> first;
            double audio = 0.0;
            double overrun = 0.0;
            for (int round = 0; round < rounds; ++round) {
                voice->Speak(text, earshot::SVSFDefault);
                const auto& utterance = espeak.lastUtterance();
                first.push_back(milliseconds(utterance.firstSoundAfter.value_or(
                    std::chrono::nanoseconds::zero())));
                audio = utterance.seconds();
                overrun += milliseconds(utterance.callDuration) - audio * 1000.0;
            }
            std::sort(first.begin(), first.end());
            std::printf("%-28s %8.3f %14.3f %14.3f %14.1f\n", text.c_str(), audio,
                        first[first.size() / 2], first.back(), overrun / rounds);
        }
    } catch (const earshot::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
