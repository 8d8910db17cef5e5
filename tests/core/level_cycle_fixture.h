// A started game on the fake platform, with helpers for the tests of the
// level cycle: scripted draws, positions and locks set by hand, and the
// calls a speaker's current 3D control received.
#pragma once

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/core/game_fixture.h"

namespace earshot::testing {

// The largest Single below 1: the top of the generator's range.
inline const float belowOne = std::nextafter(1.0F, 0.0F);

// Draws that give the drift values -1, 0 and +1.
inline constexpr float driftDown = 0.0F;
inline constexpr float driftNone = 0.5F;
inline const float driftUp = belowOne;

// One of the eight axes, named as the game lists them.
struct AxisCase {
    const char* name;
    Speaker speaker;
    Axis axis;
};

inline const std::vector<AxisCase> allAxes = {
    {"FrontLeftX", Speaker::FrontLeft, Axis::X},   {"FrontLeftZ", Speaker::FrontLeft, Axis::Z},
    {"FrontRightX", Speaker::FrontRight, Axis::X}, {"FrontRightZ", Speaker::FrontRight, Axis::Z},
    {"RearLeftX", Speaker::RearLeft, Axis::X},     {"RearLeftZ", Speaker::RearLeft, Axis::Z},
    {"RearRightX", Speaker::RearRight, Axis::X},   {"RearRightZ", Speaker::RearRight, Axis::Z},
};

// Names a parameterised test after its scenario's `name`.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& c) const {
        return c.param.name;
    }
};

// The text the fake log gives a 3D position call: "(x,y,z,0)".
inline std::string positionText(float x, float y, float z) {
    return "(" + fakes::num(x) + "," + fakes::num(y) + "," + fakes::num(z) + ",0)";
}

class StartedGame : public GameTest {
protected:
    // Starts the game, then forgets its calls and counts, so that a test
    // reads only what it caused.
    void SetUp() override {
        loadAndClearLog();
        fake.runtime.drawsTaken = 0;
        fake.runtime.randomizes = 0;
        fake.runtime.sleeps = 0;
    }

    void queueDraws(std::initializer_list<float> values) {
        for (float r : values) {
            fake.runtime.draws.push_back(r);
        }
    }
    void queueDraws(int count, float r) {
        for (int i = 0; i < count; ++i) {
            fake.runtime.draws.push_back(r);
        }
    }

    void setPosition(Speaker which, float x, float z) {
        SpeakerRefs s = form.speaker(which);
        s.Pos.x = x;
        s.Pos.z = z;
    }
    void setAllPositions(float x, float z) {
        for (Speaker which : speakerOrder) {
            setPosition(which, x, z);
        }
    }
    void setAllLocks(bool locked) {
        for (Speaker which : speakerOrder) {
            form.speaker(which).XLocked = locked;
            form.speaker(which).ZLocked = locked;
        }
    }

    // Every speaker inside its lock windows and all eight axes locked, as a
    // completed level leaves them; the next tick raises the level.
    void completeLevel() {
        setPosition(Speaker::FrontLeft, -0.5F, 0.5F);
        setPosition(Speaker::FrontRight, 0.5F, 0.5F);
        setPosition(Speaker::RearLeft, -0.5F, -0.5F);
        setPosition(Speaker::RearRight, 0.5F, -0.5F);
        setAllLocks(true);
    }

    // The position calls that this speaker's current 3D control received
    // since the log was last cleared, as "(x,y,z,0)".
    std::vector<std::string> sentTo(Speaker which) {
        const std::string prefix = control(which).name() + ".SetPosition";
        std::vector<std::string> sent;
        for (const auto& entry : fake.log.entries) {
            if (entry.rfind(prefix, 0) == 0) {
                sent.push_back(entry.substr(prefix.size()));
            }
        }
        return sent;
    }
};

}  // namespace earshot::testing
