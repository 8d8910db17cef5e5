// Level up: the next level, with the level-up cue, larger steps, faster
// drift, new places and new music.
#include "game/form1.h"
#include "game/raised_flag.h"
#include "game/single.h"

namespace earshot {

void Form1::LevelUp() {
    // A level up never starts inside another one.
    const RaisedFlag running(LevelUpRunning);
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
