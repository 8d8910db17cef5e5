// What the player's commands should do to the game, worked out by the test
// on its own: which speaker a key or a mouse record moves and by how much,
// which axes a lock command locks and what it costs, and the flags the
// toggles leave. The tick moves the speakers and sets their steps, so the
// test copies positions and steps from the game after each tick; locks,
// counters, score, selection and the toggles are the model's own and are
// compared with the game after every command.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "game/form1.h"
#include "input/direct_input.h"

namespace earshot::testing {

// A lock window: the open interval of one axis that the lock command takes.
struct LockWindowCase {
    Speaker which;
    Axis axis;
    float lower;
    float upper;
};

// The eight windows near the listener, as the player learns them.
extern const std::array<LockWindowCase, 8> lockWindowCases;

class PlayerModel {
public:
    struct SpeakerState {
        float x = 0.0F;
        float z = 0.0F;
        float step = 0.0F;
        bool xLocked = false;
        bool zLocked = false;
        bool muted = false;
    };

    // Positions and steps, as the last tick or the test left them.
    void copyMotion(Form1& form);
    // A level up clears every lock.
    void levelUp();

    void key(std::int16_t code);
    void mouse(const DIDEVICEOBJECTDATA& record);

    bool allLocked() const;
    bool locked(Speaker which, Axis axis) const;
    bool frontSelected() const { return frontSelected_; }
    bool leftSelected() const { return leftSelected_; }
    bool lockedDown() const { return lockedDown_; }

    float score() const { return score_; }
    std::int64_t lockCommands() const { return lockCommands_; }
    std::int64_t locks() const { return locks_; }
    // The sum of every charge, in whole points, without rounding.
    std::int64_t exactCharges() const { return exactCharges_; }

    // Equal in every variable the model keeps; otherwise says which differs.
    ::testing::AssertionResult matches(Form1& form) const;

private:
    SpeakerState& state(Speaker which);
    const SpeakerState& state(Speaker which) const;
    float& coordinate(Speaker which, Axis axis);
    bool& lock(Speaker which, Axis axis);
    Speaker selected() const;
    void move(Speaker which, Axis axis, int direction);
    void lockdown();

    std::array<SpeakerState, 4> speakers_{};
    bool frontSelected_ = true;
    bool leftSelected_ = true;
    bool lockedDown_ = false;
    float lockCount_ = 0.0F;
    float lockdownCount_ = 0.0F;
    float score_ = 100.0F;
    std::int64_t lockCommands_ = 0;
    std::int64_t locks_ = 0;
    std::int64_t exactCharges_ = 0;
};

}  // namespace earshot::testing
