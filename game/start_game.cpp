// Start-up: the load handler and the game start.
#include <exception>
#include <string>

#include "game/form1.h"
#include "game/sentences.h"

namespace earshot {

namespace {

// Runs one step of the load handler: a step that fails is skipped in
// silence and the next one runs.
template <typename Step>
void skipOnError(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

void Form1::Form_Load() {
    skipOnError([&] { runtime_.setScaleModePixels(); });
    skipOnError([&] { runtime_.chDir(runtime_.appPath()); });
    skipOnError([&] { runtime_.showWindow(); });

    // The mouse. Without one every step that needs it fails in turn and the
    // game is played from the keyboard.
    auto mouse = [this]() -> DirectInputDevice8& { return existing(input.Mouse, sentence("The mouse does not exist, since the game did not start.")); };
    skipOnError([&] {
        if (!sound.DX) {
            sound.DX = platform_.newDirectX8();
        }
        input.DI = sound.DX->DirectInputCreate();
    });
    skipOnError([&] { input.Mouse = existing(input.DI, sentence("The input root does not exist, since the game did not start.")).CreateDevice(GUID_SysMouse); });
    skipOnError([&] { mouse().SetCommonDataFormat(DIFORMAT_MOUSE); });
    skipOnError([&] {
        mouse().SetCooperativeLevel(runtime_.windowHandle(),
                                         DISCL_EXCLUSIVE | DISCL_FOREGROUND);
    });
    skipOnError([&] {
        DIPROPLONG bufferSize;
        bufferSize.lHow = DIPH_DEVICE;
        bufferSize.lObj = 0;
        bufferSize.lData = 100;
        mouse().SetProperty(DIPROP_BUFFERSIZE, bufferSize);
    });
    skipOnError([&] { EventHandle = existing(sound.DX, sentence("The platform root does not exist, since the game did not start.")).CreateEvent(this); });
    skipOnError([&] { mouse().SetEventNotification(EventHandle); });
    skipOnError([&] { mouse().Acquire(); });

    skipOnError([&] { Voice = platform_.newSpVoice(); });

    // A game start that fails is abandoned where it failed; the window stays
    // open and Escape still ends the program. The player is told why.
    try {
        StartGame();
    } catch (const std::exception& error) {
        report(filled(tr(startStep_), cause(error)));
    }
}

void Form1::StartGame() {
    startStep_ = sentence("The game could not start: setting the start values: %s");
    LeftSelected = true;
    FrontSelected = true;
    Score = 100.0F;
    Level = 1.0F;
    for (Speaker which : speakerOrder) {
        speaker(which).Sum = 1.0F;
    }
    for (Speaker which : speakerOrder) {
        speaker(which).Step = 0.1F;
    }
    for (Speaker which : speakerOrder) {
        speaker(which).SavedStep = 0.1F;
    }
    DriftDivisor = 55.0F;

    startStep_ = sentence("The game could not start: creating the platform root: %s");
    sound.DX = platform_.newDirectX8();
    startStep_ = sentence("The game could not start: opening the audio device: %s");
    sound.DS = sound.DX->DirectSoundCreate("");
    sound.DS->SetCooperativeLevel(runtime_.windowHandle(), DSSCL_PRIORITY);
    sound.BufferDesc.lFlags = DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME;
    sound.BufferDesc.guid3DAlgorithm = DS3DALG_HRTF_FULL;
    sound.PrimaryDesc.lFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRL3D;
    startStep_ = sentence("The game could not start: creating the listener: %s");
    sound.PrimaryBuffer = sound.DS->CreatePrimarySoundBuffer(sound.PrimaryDesc);
    sound.Listener = sound.PrimaryBuffer->GetDirectSound3DListener();

    startStep_ = sentence("The game could not start: starting the music: %s");
    StartTheMusic();
    startStep_ = sentence("The game could not start: playing the intro: %s");
    PlaySoundAndWait("tavlora");

    startStep_ = sentence("The game could not start: placing the listener: %s");
    sound.Listener->SetOrientation(0.0F, 0.0F, 1.0F, 0.0F, 1.0F, 0.0F, DS3D_IMMEDIATE);
    sound.Listener->SetPosition(0.0F, 4.0F, 0.0F, DS3D_IMMEDIATE);
    startStep_ = sentence("The game could not start: placing the speakers: %s");
    PlaceSpeakers();
    startStep_ = sentence("The game could not start: setting the distances: %s");
    sound.Listener->SetDopplerFactor(0.0F, DS3D_IMMEDIATE);
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = speaker(which);
        s.control().SetMinDistance(1.0F, DS3D_IMMEDIATE);
        s.control().SetMaxDistance(10.0F, DS3D_IMMEDIATE);
    }
    sound.Listener->SetRolloffFactor(1.0F, DS3D_IMMEDIATE);

    startStep_ = sentence("The game could not start: starting the timer: %s");
    runtime_.setTimerInterval(100);
    runtime_.setTimerEnabled(true);
    startStep_ = "";
}

}  // namespace earshot
