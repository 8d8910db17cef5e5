// A game object on the fake platform, with helpers to run it as the
// runtime would.
#pragma once

#include <gtest/gtest.h>

#include <array>

#include "game/form1.h"
#include "tests/fakes/fake_platform.h"

namespace earshot::testing {

class GameTest : public ::testing::Test {
protected:
    fakes::FakePlatform fake;
    Form1 form{fake.platform};

    // The load handler, as the runtime runs it once at start.
    void load() { form.onLoad(); }
    // Load, then forget the calls of the start so a test reads only its own.
    void loadAndClearLog();
    // A key as the runtime delivers it; returns the exit status if the
    // program ended, -1 otherwise.
    int key(std::int16_t code, std::int16_t shift = 0);
    // A tick as the runtime delivers it; same result as key().
    int tick();

    fakes::FakeSoundBuffer& buffer(Speaker which);
    fakes::FakeSound3D& control(Speaker which);
};

// The speaker's name as the game's messages spell it, for failure messages.
const char* speakerName(Speaker which);

// The game after its start, with the speakers at known places (none inside
// a lock window) and each with a step of its own, so that a move shows
// which speaker moved and by whose step.
class KnownPlacesTest : public GameTest {
protected:
    void SetUp() override;

    // Where the speaker stood when the test began.
    const D3DVECTOR& before(Speaker which) const {
        return before_[static_cast<std::size_t>(which)];
    }

private:
    std::array<D3DVECTOR, 4> before_{};
};

}  // namespace earshot::testing
