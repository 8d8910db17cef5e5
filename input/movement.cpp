// Moving a speaker by one step, from the keys and from the mouse.
#include <cmath>
#include <limits>

#include "game/errors.h"
#include "game/form1.h"
#include "game/single.h"

namespace earshot {

void Form1::moveSpeaker(Speaker which, Axis axis, int direction) {
    SpeakerRefs s = speaker(which);
    if (s.locked(axis)) {
        return;
    }
    float& c = s.coordinate(axis);
    const double moved = wide(c) + direction * wide(s.Step);
    // A coordinate that no Single can hold is a run-time error, and the old
    // one stays: the speaker is never sent to infinity.
    if (!(std::fabs(moved) <= wide(std::numeric_limits<float>::max()))) {
        throw Error(s.faults.outOfRange);
    }
    c = single(moved);
    // A move sends the stored height, which nothing changes from 0.
    s.control().SetPosition(s.Pos.x, s.Pos.y, s.Pos.z, DS3D_IMMEDIATE);
}

namespace {

Speaker selectedSpeaker(bool front, bool left) {
    if (front) {
        return left ? Speaker::FrontLeft : Speaker::FrontRight;
    }
    return left ? Speaker::RearLeft : Speaker::RearRight;
}

}  // namespace

void Form1::MoveLeft() { moveSpeaker(selectedSpeaker(FrontSelected, LeftSelected), Axis::X, -1); }

void Form1::MoveRight() { moveSpeaker(selectedSpeaker(FrontSelected, LeftSelected), Axis::X, +1); }

void Form1::MoveForward() {
    moveSpeaker(selectedSpeaker(FrontSelected, LeftSelected), Axis::Z, +1);
}

void Form1::MoveBack() { moveSpeaker(selectedSpeaker(FrontSelected, LeftSelected), Axis::Z, -1); }

}  // namespace earshot
