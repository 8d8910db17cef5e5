// The game object: the program's one window and all of the game's state,
// with every handler and rule of the game. The platform reaches it only
// through the interfaces it is given (Platform) and the events it receives
// (WindowEvents, DirectXEvent8), so a test builds it on fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/mod_dx_sound.h"
#include "game/platform.h"
#include "game/speakers.h"
#include "game/vector.h"
#include "input/mod_dx_input.h"
#include "speech/sp_voice.h"

namespace earshot {

class Form1 final : public WindowEvents, public DirectXEvent8 {
public:
    explicit Form1(Platform& platform);

    // The entry points the platform calls, each with the game's policy for
    // a run-time error: the load handler skips or reports it and goes on;
    // the key handler and the tick report it and end the program with
    // status 1; the mouse handler reports it and goes on.
    void onLoad() override;
    void onKeyDown(std::int16_t keyCode, std::int16_t shift) override;
    void onTimer() override;
    void DXCallback(std::int32_t eventid) override;

    // The game's operations. They raise run-time errors (exceptions) and
    // leave it to the entry points above to say what becomes of them.
    void StartTheMusic();
    void StartGame();
    void MoveLeft();
    void MoveRight();
    void MoveForward();
    void MoveBack();
    void CheckStuff_timer();
    void LevelUp();
    void Lockdown();
    void DirectXEvent8_DXCallback(std::int32_t eventid);
    void Form_Load();
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void PlaySoundAndWait(const std::string& name);
    void PlaceSpeakers();
    void SendWire(Speaker target);
    void SayHelp();

    // The four speakers' own variables, in the order of `speakerOrder`.
    SpeakerRefs speaker(Speaker which);

    // The game's state. Every variable starts zero, False or empty; the game
    // start gives them their game values.
    std::int32_t EventHandle = 0;
    float LockCount = 0.0F;
    float FrontLeftSum = 0.0F;
    float FrontRightSum = 0.0F;
    float RearLeftSum = 0.0F;
    float RearRightSum = 0.0F;
    float Level = 0.0F;
    float LockdownCount = 0.0F;
    float Score = 0.0F;
    float MusicSet = 0.0F;
    float FrontLeftStep = 0.0F;
    float FrontRightStep = 0.0F;
    float RearLeftStep = 0.0F;
    float RearRightStep = 0.0F;
    float DriftDivisor = 0.0F;
    float FrontLeftSavedStep = 0.0F;
    float FrontRightSavedStep = 0.0F;
    float RearLeftSavedStep = 0.0F;
    float RearRightSavedStep = 0.0F;
    bool FrontLeftZLocked = false;
    bool FrontRightZLocked = false;
    bool RearLeftXLocked = false;
    bool RearRightXLocked = false;
    bool RearLeftZLocked = false;
    bool RearRightZLocked = false;
    bool FrontLeftXLocked = false;
    bool FrontRightXLocked = false;
    bool FrontLeftMuted = false;
    bool FrontRightMuted = false;
    bool RearLeftMuted = false;
    bool RearRightMuted = false;
    bool SpeakersLockedDown = false;
    bool WireBusy = false;
    bool LeftSelected = false;
    bool FrontSelected = false;
    D3DVECTOR FrontLeftPos;
    D3DVECTOR RearLeftPos;
    D3DVECTOR FrontRightPos;
    D3DVECTOR RearRightPos;
    D3DVECTOR FrontLeftDrift;
    D3DVECTOR RearLeftDrift;
    D3DVECTOR FrontRightDrift;
    D3DVECTOR RearRightDrift;
    D3DVECTOR WirePos;
    std::shared_ptr<SpVoice> Voice;

    // True from the start of a level up to its end. A tick that falls due
    // inside the level-up cue is skipped, so one level up never starts
    // inside another (they would share the one cue buffer).
    bool LevelUpRunning = false;

    // The shared platform objects.
    ModDXSound sound;
    ModDxInput input;

private:
    // Says a text: its caption line first, then the voice, if there is one.
    void say(const std::string& text);
    // One line on standard error, also spoken when a voice exists; a
    // failure to speak it is not reported again.
    void report(const std::string& message);
    // Reports the error in a sentence whose placeholder takes its cause,
    // then ends the program with status 1.
    [[noreturn]] void reportAndEnd(const char* sentenceWithCause, const std::exception& error);
    // An English sentence in the player's language.
    std::string tr(const char* english) const;
    // What an error says, in the player's language when it is one of the
    // game's own sentences.
    std::string cause(const std::exception& error) const;
    void moveSpeaker(Speaker which, Axis axis, int direction);
    void toggleMute(Speaker which);
    void sendPosition(Speaker which, float y);

    Platform& platform_;
    WindowingRuntime& runtime_;
    // What the game start is doing, for the report when a step fails: the
    // whole sentence of that report, with a placeholder for the cause.
    const char* startStep_ = "";
};

}  // namespace earshot
