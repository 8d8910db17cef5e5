#include "game/form1.h"

#include <exception>

namespace earshot {

Form1::Form1(Platform& platform) : platform_(platform), runtime_(platform.runtime) {}

SpeakerRefs Form1::speaker(Speaker which) {
    switch (which) {
        case Speaker::FrontLeft:
            return {"front left", FrontLeftPos,      FrontLeftDrift,    FrontLeftStep,  FrontLeftSavedStep,
                    FrontLeftSum,      FrontLeftXLocked,  FrontLeftZLocked, FrontLeftMuted,
                    sound.FrontLeftBuffer, sound.FrontLeft3D};
        case Speaker::FrontRight:
            return {"front right", FrontRightPos,      FrontRightDrift,   FrontRightStep,  FrontRightSavedStep,
                    FrontRightSum,      FrontRightXLocked, FrontRightZLocked, FrontRightMuted,
                    sound.FrontRightBuffer, sound.FrontRight3D};
        case Speaker::RearLeft:
            return {"rear left", RearLeftPos,      RearLeftDrift,   RearLeftStep,  RearLeftSavedStep,
                    RearLeftSum,      RearLeftXLocked, RearLeftZLocked, RearLeftMuted,
                    sound.RearLeftBuffer, sound.RearLeft3D};
        case Speaker::RearRight:
            break;
    }
    return {"rear right", RearRightPos,      RearRightDrift,   RearRightStep,  RearRightSavedStep,
            RearRightSum,      RearRightXLocked, RearRightZLocked, RearRightMuted,
            sound.RearRightBuffer, sound.RearRight3D};
}

void Form1::onLoad() { Form_Load(); }

void Form1::onKeyDown(std::int16_t keyCode, std::int16_t shift) {
    try {
        Form_KeyDown(keyCode, shift);
    } catch (const std::exception& error) {
        reportAndEnd("in the key handler", error);
    }
}

void Form1::onTimer() {
    try {
        CheckStuff_timer();
    } catch (const std::exception& error) {
        reportAndEnd("in the game's tick", error);
    }
}

void Form1::DXCallback(std::int32_t eventid) {
    // A mouse error ends only this read of the mouse: the game goes on, and
    // the keyboard still plays it. It goes to standard error only: the mouse
    // is taken away every time the window loses the focus, and saying so
    // aloud each time would talk over whatever the player turned to.
    try {
        DirectXEvent8_DXCallback(eventid);
    } catch (const std::exception& error) {
        runtime_.writeError(std::string("Mouse input failed: ") + error.what());
    }
}

void Form1::say(const std::string& text) {
    runtime_.writeCaption(text);
    if (Voice) {
        Voice->Speak(text, SVSFDefault);
    }
}

void Form1::report(const std::string& message) {
    runtime_.writeError(message);
    // Captioned like everything the game says, also when there is no voice
    // to say it: the captions are then all a player has.
    runtime_.writeCaption(message);
    if (Voice) {
        try {
            Voice->Speak(message, SVSFDefault);
        } catch (const std::exception&) {
            // The line on standard error has said it already.
        }
    }
}

void Form1::reportAndEnd(const std::string& where, const std::exception& error) {
    // The cause ends its sentence before the last one, since it is spoken.
    std::string cause = error.what();
    if (!cause.empty() && cause.back() != '.') {
        cause += '.';
    }
    report(std::string("Error ") + where + ": " + cause + " The game ends.");
    runtime_.endProgram(1);
}

}  // namespace earshot
