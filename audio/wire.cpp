// The wire locator: a buzzing sound that travels from the listener to a
// speaker, step by step, while the game goes on around it.
#include <cmath>
#include <cstdint>

#include "audio/sound_path.h"
#include "game/form1.h"
#include "game/single.h"

namespace earshot {

namespace {

constexpr double kWireStep = 0.0001;

// The pace of the travel. A pass takes a few microseconds on today's
// machines, so an unpaced 5-unit travel would be over within a couple of
// audio periods: a click, not a path. Pass k starts no earlier than the
// travel's start plus k times this, 25,000 passes a second, so a 5-unit
// travel takes about two seconds on every machine. The wait may sleep, and
// passes then come in short bursts that keep the average pace; a machine too
// slow for the pace simply runs behind it.
constexpr std::int64_t kMicrosecondsPerPass = 40;

// A pass later than this is not behind its pace but was held up (a handler
// in the pump spoke, or a fanfare played): the passes that fell due
// meanwhile are not made up, since running them back to back would jump the
// wire to where it would have been, and the schedule starts again from now.
// Lateness up to this is made up: it is within one period of the sound
// output, in which the sound's place is taken once anyway, and a busy
// machine often keeps a thread waiting that long.
constexpr std::int64_t kHoldUpMicroseconds = 20'000;

class Pace {
public:
    explicit Pace(WindowingRuntime& runtime)
        : runtime_(runtime), due_(runtime.nowMicroseconds()) {}

    // Returns when the next pass may start.
    void awaitPass() {
        const std::int64_t now = runtime_.nowMicroseconds();
        if (now < due_) {
            runtime_.sleepUntilMicroseconds(due_);
        } else if (now - due_ > kHoldUpMicroseconds) {
            due_ = now;
        }
        due_ += kMicrosecondsPerPass;
    }

private:
    WindowingRuntime& runtime_;
    std::int64_t due_;
};

// One coordinate of a pass: add a step while below the target, then take
// back any overshoot.
void stepTowards(float& coordinate, const float& target) {
    if (coordinate < target) {
        coordinate = single(wide(coordinate) + kWireStep);
    }
    if (coordinate > target) {
        coordinate = single(wide(coordinate) - kWireStep);
    }
}

bool withinOneStep(float coordinate, float target) {
    return std::fabs(wide(coordinate) - wide(target)) <= kWireStep;
}

}  // namespace

void Form1::SendWire(Speaker target) {
    if (WireBusy) {
        return;
    }
    WireBusy = true;
    const std::string path = soundPath(runtime_.appPath(), "wire.wav");
    sound.WireBuffer =
        existing(sound.DS, sentence("The audio device does not exist, since the game did not start.")).CreateSoundBufferFromFile(path, sound.BufferDesc);
    sound.Wire3D = sound.WireBuffer->GetDirectSound3DBuffer();
    sound.WireBuffer->SetCurrentPosition(0);
    WirePos = D3DVECTOR{0.0F, 4.0F, 0.0F};
    sound.WireBuffer->Play(DSBPLAY_LOOPING);

    // The target is read afresh at every use: the speaker may drift, be
    // moved or be placed anew by the handlers that run in the pump.
    const D3DVECTOR& goal = speaker(target).Pos;
    Pace pace(runtime_);
    for (;;) {
        const bool sameCell = std::floor(WirePos.x) == std::floor(goal.x) &&
                              std::floor(WirePos.z) == std::floor(goal.z);
        // A speaker that stands still on a whole number would otherwise keep
        // the wire just below it, one cell short, for as long as it stays.
        const bool arrived = withinOneStep(WirePos.x, goal.x) && withinOneStep(WirePos.z, goal.z);
        if (sameCell || arrived) {
            break;
        }
        pace.awaitPass();
        runtime_.doEvents();
        const D3DVECTOR from = WirePos;
        stepTowards(WirePos.x, goal.x);
        stepTowards(WirePos.z, goal.z);
        sound.Wire3D->SetPosition(WirePos.x, 4.0F, WirePos.z, DS3D_IMMEDIATE);
        // Far out (beyond 2048) a step is lost in the rounding of a Single,
        // and a wire that can no longer move would buzz on for good.
        if (WirePos.x == from.x && WirePos.z == from.z) {
            break;
        }
    }

    sound.WireBuffer->Stop();
    sound.WireBuffer.reset();
    WireBusy = false;
}

}  // namespace earshot
