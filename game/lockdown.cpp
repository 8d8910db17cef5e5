// The lock command: every axis inside its window near the listener locks
// and is announced, and every command costs points.
#include <array>

#include "game/form1.h"
#include "game/single.h"

namespace earshot {

namespace {

struct LockWindow {
    Speaker which;
    Axis axis;
    float lower;  // open window: lower < coordinate < upper
    float upper;
    const char* announcement;
};

// In the order the axes are examined and announced.
const std::array<LockWindow, 8> lockWindows = {{
    {Speaker::FrontLeft, Axis::X, single(-1.4), single(0.2), "FrontLeft  x axis locked."},
    {Speaker::FrontRight, Axis::X, single(0.2), single(1.4), "FrontRight  X axis locked."},
    {Speaker::FrontLeft, Axis::Z, single(0.2), single(1.4), "FrontLeft  y axis locked."},
    {Speaker::FrontRight, Axis::Z, single(0.2), single(1.4), "FrontRight  y axis locked."},
    {Speaker::RearLeft, Axis::X, single(-1.4), single(0.2), "rearLeft  x axis locked."},
    {Speaker::RearRight, Axis::X, single(0.2), single(1.4), "rearRight  X axis locked."},
    {Speaker::RearLeft, Axis::Z, single(-1.4), single(-0.2), "RearLeft  y axis locked."},
    {Speaker::RearRight, Axis::Z, single(-1.4), single(0.2), "RearRight  y axis locked."},
}};

}  // namespace

void Form1::Lockdown() {
    LockdownCount = single(wide(LockdownCount) + 1.0);
    for (const LockWindow& window : lockWindows) {
        SpeakerRefs s = speaker(window.which);
        const float c = s.coordinate(window.axis);
        bool& locked = s.locked(window.axis);
        if (c > window.lower && c < window.upper && !locked) {
            say(window.announcement);
            locked = true;
            LockCount = single(wide(LockCount) + 1.0);
        }
    }
    Score = single(wide(Score) - (wide(LockCount) + wide(LockdownCount)));
}

}  // namespace earshot
