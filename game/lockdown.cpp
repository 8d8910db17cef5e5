// The lock command: every axis inside its window near the listener locks
// and is announced, and every command costs points.
#include <array>

#include "game/form1.h"
#include "game/sentences.h"
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
    {Speaker::FrontLeft, Axis::X, single(-1.4), single(0.2),
     sentence("FrontLeft  x axis locked.")},
    {Speaker::FrontRight, Axis::X, single(0.2), single(1.4),
     sentence("FrontRight  X axis locked.")},
    {Speaker::FrontLeft, Axis::Z, single(0.2), single(1.4),
     sentence("FrontLeft  y axis locked.")},
    {Speaker::FrontRight, Axis::Z, single(0.2), single(1.4),
     sentence("FrontRight  y axis locked.")},
    {Speaker::RearLeft, Axis::X, single(-1.4), single(0.2),
     sentence("rearLeft  x axis locked.")},
    {Speaker::RearRight, Axis::X, single(0.2), single(1.4),
     sentence("rearRight  X axis locked.")},
    {Speaker::RearLeft, Axis::Z, single(-1.4), single(-0.2),
     sentence("RearLeft  y axis locked.")},
    {Speaker::RearRight, Axis::Z, single(-1.4), single(0.2),
     sentence("RearRight  y axis locked.")},
}};

}  // namespace

void Form1::Lockdown() {
    LockdownCount = single(wide(LockdownCount) + 1.0);
    for (const LockWindow& window : lockWindows) {
        SpeakerRefs s = speaker(window.which);
        const float c = s.coordinate(window.axis);
        bool& locked = s.locked(window.axis);
        if (c > window.lower && c < window.upper && !locked) {
            say(tr(window.announcement));
            locked = true;
            LockCount = single(wide(LockCount) + 1.0);
        }
    }
    Score = single(wide(Score) - (wide(LockCount) + wide(LockdownCount)));
}

}  // namespace earshot
