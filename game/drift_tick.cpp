// The drift tick: every 100 ms the speakers drift at random, a completed
// level rises, and every coordinate is held within the level's bounds.
#include <array>
#include <cmath>

#include "game/form1.h"
#include "game/single.h"

namespace earshot {

namespace {

// Inside the slow zone (x + z below 6) a speaker moves by the small step and
// puts its own step aside, on every tick it spends there; out of it, the
// step put aside comes back.
void applySlowZone(SpeakerRefs s) {
    if (s.Sum < 6.0F) {
        s.SavedStep = s.Step;
        s.Step = 0.1F;
    } else {
        s.Step = s.SavedStep;
    }
}

// floor(r x 3 + 1), stored, then less 2: -1, 0 or 1.
float driftValue(float r) {
    const float drawn = single(std::floor(wide(r) * 3.0 + 1.0));
    return single(wide(drawn) - 2.0);
}

}  // namespace

void Form1::CheckStuff_timer() {
    if (LevelUpRunning) {
        return;
    }
    for (auto pair : {std::array{Speaker::FrontLeft, Speaker::FrontRight},
                      std::array{Speaker::RearLeft, Speaker::RearRight}}) {
        for (Speaker which : pair) {
            SpeakerRefs s = speaker(which);
            s.Sum = single(wide(s.Pos.x) + wide(s.Pos.z));
        }
        for (Speaker which : pair) {
            applySlowZone(speaker(which));
        }
        for (Speaker which : pair) {
            SpeakerRefs s = speaker(which);
            s.Drift.x = driftValue(runtime_.rnd());
            s.Drift.z = driftValue(runtime_.rnd());
        }
        if (!SpeakersLockedDown) {
            for (Axis axis : {Axis::X, Axis::Z}) {
                for (Speaker which : pair) {
                    SpeakerRefs s = speaker(which);
                    if (!s.locked(axis)) {
                        float& c = s.coordinate(axis);
                        c = single(wide(c) + wide(s.drift(axis)) / wide(DriftDivisor));
                    }
                }
            }
            for (Speaker which : pair) {
                sendPosition(which, 4.0F);
            }
        }
    }

    bool allLocked = true;
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = speaker(which);
        if (!s.XLocked || !s.ZLocked) {
            allLocked = false;
            break;
        }
    }
    if (allLocked) {
        LevelUp();
    }

    const float bound = single(5.0 * wide(Level));
    for (Speaker which :
         {Speaker::FrontLeft, Speaker::RearLeft, Speaker::FrontRight, Speaker::RearRight}) {
        SpeakerRefs s = speaker(which);
        for (Axis axis : {Axis::X, Axis::Z}) {
            float& c = s.coordinate(axis);
            if (c < -bound) {
                c = -bound;
            }
            if (c > bound) {
                c = bound;
            }
        }
    }
}

}  // namespace earshot
