// Moving a speaker by one step, from the keys and from the mouse, and the
// mute keys.
#include "game/form1.h"
#include "game/single.h"

namespace earshot {

void Form1::moveSpeaker(Speaker which, Axis axis, int direction) {
    SpeakerRefs s = speaker(which);
    if (s.locked(axis)) {
        return;
    }
    float& c = s.coordinate(axis);
    c = single(wide(c) + direction * wide(s.Step));
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
