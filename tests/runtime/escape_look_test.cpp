// The runtime's look for a waiting Escape, which the cue and speech waits
// make while they hold the event thread: an Escape key-down ends the
// program with status 0, whether it is still in SDL's queue or already
// taken by a pump that has not handled it yet; any other event stays where
// it is and is handled in its turn by the next pump.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "sdl_fixture.h"

namespace earshot {
namespace {

using namespace earshot::testing;
using Log = std::vector<std::string>;

class EscapeLookTest : public SdlRuntimeTest {
protected:
    static void SetUpTestSuite() {
        SdlRuntimeTest::SetUpTestSuite();
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

TEST_F(EscapeLookTest, AnEscapeBehindOtherKeysEndsTheProgramWithStatusZero) {
    EXPECT_EXIT(
        {
            pushKey(SDLK_e, SDL_SCANCODE_E);
            pushKey(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
            pushKey(SDLK_SPACE, SDL_SCANCODE_SPACE);
            runtime_->endIfEscapePending();
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(EscapeLookTest, WithoutEscapeEveryEventStaysForThePumpInItsOrder) {
    pushKey(SDLK_e, SDL_SCANCODE_E);
    pushKey(SDLK_SPACE, SDL_SCANCODE_SPACE);
    SDL_Event up{};
    up.type = SDL_KEYUP;
    up.key.keysym.sym = SDLK_ESCAPE;  // a release of Escape is no Escape key-down
    up.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    push(up);
    pushKey(SDLK_p, SDL_SCANCODE_P);
    runtime_->endIfEscapePending();
    EXPECT_TRUE(form_.log.empty()) << "the look handled an event";
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 69", "key 32", "key 80"}));
}

TEST_F(EscapeLookTest, AnEscapeTakenByAPumpButNotYetHandledEndsTheProgram) {
    // A handler that waits without pumping, as a voice does, while the
    // Escape the outer pump took waits behind it.
    EXPECT_EXIT(
        {
            form_.onKey = [this](std::int16_t code) {
                if (code == 'A') {
                    runtime_->endIfEscapePending();
                    std::exit(3);
                }
            };
            pushKey(SDLK_a, SDL_SCANCODE_A);
            pushKey(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
            runtime_->doEvents();
            std::exit(4);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(EscapeLookTest, AnEscapeThatArrivesBetweenLooksIsFoundWithinAFewHundredthsOfASecond) {
    EXPECT_EXIT(
        {
            runtime_->endIfEscapePending();
            pushKey(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
            const std::int64_t start = runtime_->nowMicroseconds();
            while (runtime_->nowMicroseconds() - start < 50'000) {
                runtime_->endIfEscapePending();
                runtime_->sleepUntilMicroseconds(runtime_->nowMicroseconds() + 1000);
            }
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace earshot
