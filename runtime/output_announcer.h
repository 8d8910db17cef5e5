// How the player hears about the sound output: that it was lost, that it is
// back, that 3D sound is off. Each notice is one caption line and one line
// on standard error at once, and is spoken as soon as the voice is free:
// at once, after the sentence it interrupted, or once the voice exists (the
// output is opened before the game has a voice). A notice is never spoken
// in the middle of another sentence: the voices speak one sentence at a
// time.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "audio/openal/output_notices.h"
#include "game/windowing_runtime.h"
#include "speech/sp_voice.h"

namespace earshot {

class OutputAnnouncer {
public:
    explicit OutputAnnouncer(WindowingRuntime& runtime) : runtime_(runtime) {}
    OutputAnnouncer(const OutputAnnouncer&) = delete;
    OutputAnnouncer& operator=(const OutputAnnouncer&) = delete;

    void notice(const OutputNotice& notice);

    // The voice the game is to speak with: `voice`, which afterwards says
    // the notices that came while it spoke. Notices that came before are
    // said now.
    std::shared_ptr<SpVoice> speakingThrough(std::shared_ptr<SpVoice> voice);

private:
    class Voice;
    void sayWaiting();

    WindowingRuntime& runtime_;
    std::shared_ptr<SpVoice> voice_;
    bool speaking_ = false;
    std::deque<std::string> waiting_;
};

}  // namespace earshot
