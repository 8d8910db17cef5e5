#include "tests/soak/player_model.h"

#include <string>

#include "game/single.h"
#include "input/key_codes.h"

namespace earshot::testing {

const std::array<LockWindowCase, 8> lockWindowCases = {{
    {Speaker::FrontLeft, Axis::X, single(-1.4), single(0.2)},
    {Speaker::FrontRight, Axis::X, single(0.2), single(1.4)},
    {Speaker::FrontLeft, Axis::Z, single(0.2), single(1.4)},
    {Speaker::FrontRight, Axis::Z, single(0.2), single(1.4)},
    {Speaker::RearLeft, Axis::X, single(-1.4), single(0.2)},
    {Speaker::RearRight, Axis::X, single(0.2), single(1.4)},
    {Speaker::RearLeft, Axis::Z, single(-1.4), single(-0.2)},
    {Speaker::RearRight, Axis::Z, single(-1.4), single(0.2)},
}};

namespace {

std::size_t index(Speaker which) { return static_cast<std::size_t>(which); }

const char* speakerName(Speaker which) {
    switch (which) {
        case Speaker::FrontLeft: return "front left";
        case Speaker::FrontRight: return "front right";
        case Speaker::RearLeft: return "rear left";
        case Speaker::RearRight: break;
    }
    return "rear right";
}

}  // namespace

PlayerModel::SpeakerState& PlayerModel::state(Speaker which) { return speakers_[index(which)]; }

const PlayerModel::SpeakerState& PlayerModel::state(Speaker which) const {
    return speakers_[index(which)];
}

float& PlayerModel::coordinate(Speaker which, Axis axis) {
    return axis == Axis::X ? state(which).x : state(which).z;
}

bool& PlayerModel::lock(Speaker which, Axis axis) {
    return axis == Axis::X ? state(which).xLocked : state(which).zLocked;
}

bool PlayerModel::locked(Speaker which, Axis axis) const {
    return axis == Axis::X ? state(which).xLocked : state(which).zLocked;
}

void PlayerModel::copyMotion(Form1& form) {
    for (Speaker which : speakerOrder) {
        const SpeakerRefs s = form.speaker(which);
        state(which).x = s.Pos.x;
        state(which).z = s.Pos.z;
        state(which).step = s.Step;
    }
}

void PlayerModel::levelUp() {
    for (SpeakerState& s : speakers_) {
        s.xLocked = false;
        s.zLocked = false;
    }
}

bool PlayerModel::allLocked() const {
    for (const SpeakerState& s : speakers_) {
        if (!s.xLocked || !s.zLocked) {
            return false;
        }
    }
    return true;
}

Speaker PlayerModel::selected() const {
    if (frontSelected_) {
        return leftSelected_ ? Speaker::FrontLeft : Speaker::FrontRight;
    }
    return leftSelected_ ? Speaker::RearLeft : Speaker::RearRight;
}

void PlayerModel::move(Speaker which, Axis axis, int direction) {
    if (lock(which, axis)) {
        return;
    }
    float& c = coordinate(which, axis);
    c = single(wide(c) + direction * wide(state(which).step));
}

void PlayerModel::lockdown() {
    ++lockCommands_;
    lockdownCount_ = single(wide(lockdownCount_) + 1.0);
    for (const LockWindowCase& window : lockWindowCases) {
        const float c = coordinate(window.which, window.axis);
        bool& l = lock(window.which, window.axis);
        if (c > window.lower && c < window.upper && !l) {
            l = true;
            ++locks_;
            lockCount_ = single(wide(lockCount_) + 1.0);
        }
    }
    const std::int64_t charge = locks_ + lockCommands_;
    exactCharges_ += charge;
    score_ = single(wide(score_) - static_cast<double>(charge));
}

void PlayerModel::key(std::int16_t code) {
    struct MoveKey {
        char letter;
        bool left;
        Axis axis;
        int direction;
    };
    static constexpr std::array<MoveKey, 8> moves = {{
        {'E', true, Axis::Z, +1},
        {'D', true, Axis::Z, -1},
        {'S', true, Axis::X, -1},
        {'F', true, Axis::X, +1},
        {'I', false, Axis::Z, +1},
        {'K', false, Axis::Z, -1},
        {'J', false, Axis::X, -1},
        {'L', false, Axis::X, +1},
    }};
    for (const MoveKey& m : moves) {
        if (code == keys::letter(m.letter)) {
            const Speaker which = frontSelected_
                                      ? (m.left ? Speaker::FrontLeft : Speaker::FrontRight)
                                      : (m.left ? Speaker::RearLeft : Speaker::RearRight);
            move(which, m.axis, m.direction);
            return;
        }
    }
    if (code == keys::letter('G')) {
        state(Speaker::FrontLeft).muted = !state(Speaker::FrontLeft).muted;
    } else if (code == keys::letter('H')) {
        state(Speaker::FrontRight).muted = !state(Speaker::FrontRight).muted;
    } else if (code == keys::letter('B')) {
        state(Speaker::RearLeft).muted = !state(Speaker::RearLeft).muted;
    } else if (code == keys::letter('N')) {
        state(Speaker::RearRight).muted = !state(Speaker::RearRight).muted;
    } else if (code == keys::letter('T')) {
        lockedDown_ = !lockedDown_;
    } else if (code == keys::Space) {
        lockdown();
    } else if (code == keys::Enter) {
        frontSelected_ = !frontSelected_;
    }
}

void PlayerModel::mouse(const DIDEVICEOBJECTDATA& record) {
    switch (record.lOfs) {
        case DIMOFS_X:
            if (record.lData != 0) {
                move(selected(), Axis::X, record.lData > 0 ? +1 : -1);
            }
            break;
        case DIMOFS_Y:
            // Small vertical jitter moves nothing; down the desk is back.
            if (record.lData > 3) {
                move(selected(), Axis::Z, -1);
            } else if (record.lData < -3) {
                move(selected(), Axis::Z, +1);
            }
            break;
        case DIMOFS_BUTTON0:
            if (leftSelected_) {
                lockdown();
            } else {
                leftSelected_ = true;
            }
            break;
        case DIMOFS_BUTTON1:
            if (leftSelected_) {
                leftSelected_ = false;
            } else {
                lockdown();
            }
            break;
        default:
            break;
    }
}

::testing::AssertionResult PlayerModel::matches(Form1& form) const {
    auto differs = [](const std::string& what, auto expected, auto actual) {
        return ::testing::AssertionFailure()
               << what << ": expected " << expected << ", the game has " << actual;
    };
    for (Speaker which : speakerOrder) {
        const SpeakerRefs s = form.speaker(which);
        const SpeakerState& m = state(which);
        const std::string name = speakerName(which);
        if (s.Pos.x != m.x) return differs(name + " x", m.x, s.Pos.x);
        if (s.Pos.z != m.z) return differs(name + " z", m.z, s.Pos.z);
        if (s.XLocked != m.xLocked) return differs(name + " x lock", m.xLocked, s.XLocked);
        if (s.ZLocked != m.zLocked) return differs(name + " z lock", m.zLocked, s.ZLocked);
        if (s.Muted != m.muted) return differs(name + " mute", m.muted, s.Muted);
    }
    if (form.FrontSelected != frontSelected_) {
        return differs("front pair selected", frontSelected_, form.FrontSelected);
    }
    if (form.LeftSelected != leftSelected_) {
        return differs("left side selected", leftSelected_, form.LeftSelected);
    }
    if (form.SpeakersLockedDown != lockedDown_) {
        return differs("drift frozen", lockedDown_, form.SpeakersLockedDown);
    }
    if (form.LockCount != lockCount_) return differs("LockCount", lockCount_, form.LockCount);
    if (form.LockdownCount != lockdownCount_) {
        return differs("LockdownCount", lockdownCount_, form.LockdownCount);
    }
    if (form.Score != score_) return differs("Score", score_, form.Score);
    return ::testing::AssertionSuccess();
}

}  // namespace earshot::testing
