// The keyboard: every key-down runs the one pump and then every command's
// test, in a fixed order.
#include <array>

#include "game/form1.h"
#include "input/key_codes.h"
#include "input/score_text.h"

namespace earshot {

namespace {

struct MoveKey {
    std::int16_t code;
    bool leftOfPair;
    Axis axis;
    int direction;
};

// In the order the keys are tested.
constexpr std::array<MoveKey, 8> moveKeys = {{
    {keys::letter('E'), true, Axis::Z, +1},
    {keys::letter('I'), false, Axis::Z, +1},
    {keys::letter('D'), true, Axis::Z, -1},
    {keys::letter('K'), false, Axis::Z, -1},
    {keys::letter('S'), true, Axis::X, -1},
    {keys::letter('J'), false, Axis::X, -1},
    {keys::letter('F'), true, Axis::X, +1},
    {keys::letter('L'), false, Axis::X, +1},
}};

struct MuteKey {
    std::int16_t code;
    Speaker which;
};

constexpr std::array<MuteKey, 4> muteKeys = {{
    {keys::letter('G'), Speaker::FrontLeft},
    {keys::letter('H'), Speaker::FrontRight},
    {keys::letter('B'), Speaker::RearLeft},
    {keys::letter('N'), Speaker::RearRight},
}};

struct WireKey {
    std::int16_t code;
    Speaker target;
};

constexpr std::array<WireKey, 4> wireKeys = {{
    {keys::letter('A'), Speaker::FrontLeft},
    {keys::Semicolon, Speaker::FrontRight},
    {keys::letter('Z'), Speaker::RearLeft},
    {keys::Slash, Speaker::RearRight},
}};

}  // namespace

void Form1::Form_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/) {
    runtime_.doEvents();
    if (KeyCode == keys::Escape) {
        ExitGame(sound, runtime_);
    }
    if (KeyCode == keys::letter('P')) {
        say(scoreText(Score));
        say(tr("points."));
    }
    for (const MuteKey& key : muteKeys) {
        if (KeyCode == key.code) {
            toggleMute(key.which);
        }
    }
    if (KeyCode == keys::letter('T')) {
        if (SpeakersLockedDown) {
            SpeakersLockedDown = false;
            say(tr("unlocking speakers for movement."));
        } else {
            SpeakersLockedDown = true;
            say(tr("locking speakers down."));
        }
    }
    const bool front = FrontSelected;
    for (const MoveKey& key : moveKeys) {
        if (KeyCode == key.code) {
            const Speaker which = front ? (key.leftOfPair ? Speaker::FrontLeft : Speaker::FrontRight)
                                        : (key.leftOfPair ? Speaker::RearLeft : Speaker::RearRight);
            moveSpeaker(which, key.axis, key.direction);
        }
    }
    if (KeyCode == keys::Space) {
        Lockdown();
    }
    if (KeyCode == keys::Enter) {
        if (FrontSelected) {
            FrontSelected = false;
            say(tr("Setting Rear speakers."));
        } else {
            FrontSelected = true;
            say(tr("Setting front speakers."));
        }
    }
    for (const WireKey& key : wireKeys) {
        if (KeyCode == key.code && !WireBusy) {
            SendWire(key.target);
        }
    }
    if (KeyCode == keys::F1) {
        SayHelp();
    }
}

}  // namespace earshot
