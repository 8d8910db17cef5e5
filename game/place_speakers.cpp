// Speaker placement: fresh random whole-number positions for all four
// speakers, sent at once at the listener's height.
#include <cmath>

#include "game/form1.h"
#include "game/single.h"

namespace earshot {

namespace {

// floor(Level x 3 x r + 1), stored, then less 10: one of -9 ... 3 x Level - 10.
float placementValue(float level, float r) {
    const float drawn = single(std::floor(wide(level) * 3.0 * wide(r) + 1.0));
    return single(wide(drawn) - 10.0);
}

}  // namespace

void Form1::sendPosition(Speaker which, float y) {
    SpeakerRefs s = speaker(which);
    s.control().SetPosition(s.Pos.x, y, s.Pos.z, DS3D_IMMEDIATE);
}

void Form1::PlaceSpeakers() {
    runtime_.randomize();
    // The front pair is drawn and sent first, then the rear pair; x before z.
    for (auto pair : {std::array{Speaker::FrontLeft, Speaker::FrontRight},
                      std::array{Speaker::RearLeft, Speaker::RearRight}}) {
        for (Speaker which : pair) {
            SpeakerRefs s = speaker(which);
            s.Drift.x = placementValue(Level, runtime_.rnd());
            s.Drift.z = placementValue(Level, runtime_.rnd());
        }
        for (Speaker which : pair) {
            SpeakerRefs s = speaker(which);
            s.Pos.x = s.Drift.x;
            s.Pos.z = s.Drift.z;
        }
        for (Speaker which : pair) {
            sendPosition(which, 4.0F);
        }
    }
}

}  // namespace earshot
