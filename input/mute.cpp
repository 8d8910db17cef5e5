// The mute keys: a speaker goes 40 dB down or back to full level, by its
// flag alone, and says so.
#include <array>

#include "game/form1.h"
#include "game/sentences.h"

namespace earshot {

namespace {

inline constexpr std::int32_t kMutedVolume = -4000;
inline constexpr std::int32_t kFullVolume = 0;

struct MuteTexts {
    const char* muting;
    const char* unmuting;
    // Front left changes its volume before it speaks, both ways; the others
    // speak their mute message at full level and only then go quiet, and
    // restore the volume before they clear the flag.
    bool volumeBeforeSpeech;
};

MuteTexts muteTexts(Speaker which) {
    switch (which) {
        case Speaker::FrontLeft:
            return {sentence("muting front left speaker."), sentence("Front Left Mute Off."), true};
        case Speaker::FrontRight:
            return {sentence("muting front Right speaker."), sentence("Front Right Mute Off."), false};
        case Speaker::RearLeft:
            return {sentence("muting Rear left speaker."), sentence("Rear Left Mute Off."), false};
        case Speaker::RearRight:
            break;
    }
    return {sentence("muting Rear Right speaker."), sentence("Rear Right Mute Off."), false};
}

}  // namespace

void Form1::toggleMute(Speaker which) {
    SpeakerRefs s = speaker(which);
    const MuteTexts texts = muteTexts(which);
    if (s.Muted) {
        if (texts.volumeBeforeSpeech) {
            s.Muted = false;
            s.buffer().SetVolume(kFullVolume);
        } else {
            s.buffer().SetVolume(kFullVolume);
            s.Muted = false;
        }
        say(tr(texts.unmuting));
    } else {
        s.Muted = true;
        if (texts.volumeBeforeSpeech) {
            s.buffer().SetVolume(kMutedVolume);
            say(tr(texts.muting));
        } else {
            say(tr(texts.muting));
            s.buffer().SetVolume(kMutedVolume);
        }
    }
}

}  // namespace earshot
