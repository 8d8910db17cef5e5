// Speaker music: a random set of two looping parts, the left file in the two
// left speakers and the right file in the two right ones.
#include <cmath>
#include <string>

#include "audio/sound_path.h"
#include "game/form1.h"
#include "game/single.h"

namespace earshot {

void Form1::StartTheMusic() {
    runtime_.randomize();
    MusicSet = single(std::floor(wide(runtime_.rnd()) * 6.0 + 1.0));
    const int set = static_cast<int>(MusicSet);
    const std::string folder = runtime_.appPath();
    for (Speaker which : speakerOrder) {
        const std::string file =
            (isLeftSpeaker(which) ? "left" : "right") + std::to_string(set) + ".wav";
        speaker(which).Buffer = existing(sound.DS, sentence("The audio device does not exist, since the game did not start.")).CreateSoundBufferFromFile(soundPath(folder, file),
                                                                    sound.BufferDesc);
    }
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = speaker(which);
        s.Sound3D = s.buffer().GetDirectSound3DBuffer();
    }
    for (Speaker which :
         {Speaker::RearLeft, Speaker::RearRight, Speaker::FrontLeft, Speaker::FrontRight}) {
        speaker(which).buffer().Play(DSBPLAY_LOOPING);
    }
    PlaceSpeakers();
}

}  // namespace earshot
