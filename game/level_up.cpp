// Level up: the next level, with the level-up cue, larger steps, faster
// drift, new places and new music.
#include "game/form1.h"
#include "game/single.h"

namespace earshot {

namespace {

// Clears the level-up mark however the level up ends.
class LevelUpMark {
public:
    explicit LevelUpMark(bool& mark) : mark_(mark) { mark_ = true; }
    ~LevelUpMark() { mark_ = false; }
    LevelUpMark(const LevelUpMark&) = delete;
    LevelUpMark& operator=(const LevelUpMark&) = delete;

private:
    bool& mark_;
};

}  // namespace

void Form1::LevelUp() {
    const LevelUpMark mark(LevelUpRunning);
    Level = single(wide(Level) + 1.0);
    PlaySoundAndWait("LevelUp");
    for (Speaker which : speakerOrder) {
        speaker(which).buffer().Stop();
    }
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = speaker(which);
        s.XLocked = false;
        s.ZLocked = false;
    }
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = speaker(which);
        s.Step = single(wide(s.Step) * 1.5);
        s.SavedStep = s.Step;
    }
    if (DriftDivisor > single(0.1)) {
        DriftDivisor = single(wide(DriftDivisor) - 0.1);
    }
    PlaceSpeakers();
    StartTheMusic();
}

}  // namespace earshot
