// How the player hears about the sound output: that it was lost, that it is
// back, that 3D sound is off. Each notice, in the player's language, is one
// caption line and one line on standard error at once, and is spoken as soon as the voice is free:
// at once, after the sentence it interrupted, or once the voice exists (the
// output is opened before the game has a voice). A notice is never spoken
// in the middle of another sentence: the voices speak one sentence at a
// time.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "audio/openal/output_notices.h"
#include "game/windowing_runtime.h"
#include "speech/sp_voice.h"

namespace earshot {

class OutputAnnouncer {
public:
    using Translate = std::function<std::string(const char* english)>;

    OutputAnnouncer(WindowingRuntime& runtime, Translate translate)
        : runtime_(runtime), translate_(std::move(translate)) {}
    OutputAnnouncer(const OutputAnnouncer&) = delete;
    OutputAnnouncer& operator=(const OutputAnnouncer&) = delete;

    void notice(const OutputNotice& notice);

    // Any other sentence the player is told the same way: `english` in the
    // player's language, with `detail` after it on standard error.
    void announce(const char* english, const std::string& detail);

    // The voice the game is to speak with: `voice`, which afterwards says
    // the notices that came while it spoke. Notices that came before are
    // said now.
    std::shared_ptr<SpVoice> speakingThrough(std::shared_ptr<SpVoice> voice);

private:
    class Voice;
    void sayWaiting();

    WindowingRuntime& runtime_;
    Translate translate_;
    std::shared_ptr<SpVoice> voice_;
    bool speaking_ = false;
    std::deque<std::string> waiting_;
};

}  // namespace earshot
