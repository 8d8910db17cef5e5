// The cue player: one sound played once from just above the listener, to
// its end.
#include "audio/sound_path.h"
#include "game/form1.h"

namespace earshot {

void Form1::PlaySoundAndWait(const std::string& name) {
    const std::string path = cuePath(runtime_.appPath(), name);
    sound.CueBuffer = existing(sound.DS, sentence("The audio device does not exist, since the game did not start.")).CreateSoundBufferFromFile(path, sound.BufferDesc);
    sound.Cue3D = sound.CueBuffer->GetDirectSound3DBuffer();
    sound.CueBuffer->SetCurrentPosition(0);
    sound.Cue3D->SetPosition(0.0F, 5.0F, 0.0F, DS3D_IMMEDIATE);
    sound.CueBuffer->Play(DSBPLAY_DEFAULT);
    runtime_.doEvents();
    // No event is handled until the cue has ended, but for one: a player
    // must always be able to quit at once, so an Escape that is waiting
    // ends the program here, in the middle of the intro or the level-up
    // fanfare. A short sleep between two reads of the status keeps the wait
    // from spinning a core.
    while (sound.CueBuffer->GetStatus() == DSBSTATUS_PLAYING) {
        runtime_.endIfEscapePending();
        runtime_.sleepUntilMicroseconds(runtime_.nowMicroseconds() + 1000);
    }
    sound.CueBuffer->Stop();
    sound.CueBuffer.reset();
}

}  // namespace earshot
