#include "game/form1.h"

#include <array>
#include <exception>

#include "game/errors.h"
#include "game/sentences.h"

namespace earshot {

namespace {

// In the order of `speakerOrder`.
const std::array<SpeakerFaults, 4> speakerFaults = {{
    {sentence("The front left speaker's sound does not exist, since the game did not start."),
     sentence("The front left speaker's 3D control does not exist, since the game did not start."),
     sentence("Moving the front left speaker left the range of a number.")},
    {sentence("The front right speaker's sound does not exist, since the game did not start."),
     sentence("The front right speaker's 3D control does not exist, since the game did not start."),
     sentence("Moving the front right speaker left the range of a number.")},
    {sentence("The rear left speaker's sound does not exist, since the game did not start."),
     sentence("The rear left speaker's 3D control does not exist, since the game did not start."),
     sentence("Moving the rear left speaker left the range of a number.")},
    {sentence("The rear right speaker's sound does not exist, since the game did not start."),
     sentence("The rear right speaker's 3D control does not exist, since the game did not start."),
     sentence("Moving the rear right speaker left the range of a number.")},
}};

}  // namespace

Form1::Form1(Platform& platform) : platform_(platform), runtime_(platform.runtime) {}

SpeakerRefs Form1::speaker(Speaker which) {
    switch (which) {
        case Speaker::FrontLeft:
            return {"front left", speakerFaults[0], FrontLeftPos,      FrontLeftDrift,    FrontLeftStep,  FrontLeftSavedStep,
                    FrontLeftSum,      FrontLeftXLocked,  FrontLeftZLocked, FrontLeftMuted,
                    sound.FrontLeftBuffer, sound.FrontLeft3D};
        case Speaker::FrontRight:
            return {"front right", speakerFaults[1], FrontRightPos,      FrontRightDrift,   FrontRightStep,  FrontRightSavedStep,
                    FrontRightSum,      FrontRightXLocked, FrontRightZLocked, FrontRightMuted,
                    sound.FrontRightBuffer, sound.FrontRight3D};
        case Speaker::RearLeft:
            return {"rear left", speakerFaults[2], RearLeftPos,      RearLeftDrift,   RearLeftStep,  RearLeftSavedStep,
                    RearLeftSum,      RearLeftXLocked, RearLeftZLocked, RearLeftMuted,
                    sound.RearLeftBuffer, sound.RearLeft3D};
        case Speaker::RearRight:
            break;
    }
    return {"rear right", speakerFaults[3], RearRightPos,      RearRightDrift,   RearRightStep,  RearRightSavedStep,
            RearRightSum,      RearRightXLocked, RearRightZLocked, RearRightMuted,
            sound.RearRightBuffer, sound.RearRight3D};
}

void Form1::onLoad() { Form_Load(); }

void Form1::onKeyDown(std::int16_t keyCode, std::int16_t shift) {
    try {
        Form_KeyDown(keyCode, shift);
    } catch (const std::exception& error) {
        reportAndEnd(sentence("Error in the key handler: %s The game ends."), error);
    }
}

void Form1::onTimer() {
    try {
        CheckStuff_timer();
    } catch (const std::exception& error) {
        reportAndEnd(sentence("Error in the game's tick: %s The game ends."), error);
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
        runtime_.writeError(filled(tr("Mouse input failed: %s"), cause(error)));
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

std::string Form1::tr(const char* english) const { return platform_.translate(english); }

std::string Form1::cause(const std::exception& error) const {
    // A cause that is one of the game's own sentences is said in the
    // player's language; a path or a library's words in it stay as they
    // come, and any other text too.
    const auto* told = dynamic_cast<const Error*>(&error);
    if (told != nullptr && told->sentence() != nullptr) {
        return filled(tr(told->sentence()), told->values());
    }
    return tr(error.what());
}

void Form1::reportAndEnd(const char* sentenceWithCause, const std::exception& error) {
    // The cause ends its sentence before the last one, since it is spoken.
    std::string because = cause(error);
    if (!because.empty() && because.back() != '.') {
        because += '.';
    }
    report(filled(tr(sentenceWithCause), because));
    runtime_.endProgram(1);
}

}  // namespace earshot
