// The runtime's own event loop, each run in a child process since the loop
// only ever ends by ending the program: the load handler first, the window
// shown after it, ticks from the loop's timer, the window closed ending the
// program with status 0, and a handler's escaped error with status 1.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>

#include "game/errors.h"
#include "sdl_fixture.h"

namespace earshot {
namespace {

using namespace earshot::testing;

// A game object whose handlers are given by each test.
class ScriptedForm final : public WindowEvents {
public:
    std::function<void()> load = [] {};
    std::function<void(std::int16_t)> key = [](std::int16_t) {};
    std::function<void()> timer = [] {};

    void onLoad() override { load(); }
    void onKeyDown(std::int16_t keyCode, std::int16_t) override { key(keyCode); }
    void onTimer() override { timer(); }
};

void pushKey(SDL_Keycode sym, SDL_Scancode scancode) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = sym;
    event.key.keysym.scancode = scancode;
    SDL_PushEvent(&event);
}

void pushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

class RunLoopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

TEST_F(RunLoopTest, RunsTheLoadHandlerThenShowsTheWindowThenHandlesEvents) {
    EXPECT_EXIT(
        {
            SdlRuntime runtime;
            ScriptedForm form;
            form.load = [&] {
                runtime.writeError("loaded");
                pushKey(SDLK_a, SDL_SCANCODE_A);
            };
            form.key = [&](std::int16_t code) {
                SDL_Window* window =
                    SDL_GetWindowFromID(static_cast<Uint32>(runtime.windowHandle()));
                const bool shown = (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) != 0;
                runtime.writeError("key " + std::to_string(code) + (shown ? " shown" : " hidden"));
                pushQuit();
            };
            runtime.run(form);
        },
        ::testing::ExitedWithCode(0), "loaded\nkey 65 shown\n");
}

TEST_F(RunLoopTest, TheLoopsTimerTicks) {
    EXPECT_EXIT(
        {
            SdlRuntime runtime;
            ScriptedForm form;
            int ticks = 0;
            std::int64_t enabledAt = 0;
            form.load = [&] {
                runtime.setTimerInterval(20);
                runtime.setTimerEnabled(true);
                enabledAt = runtime.nowMicroseconds();
            };
            form.timer = [&] {
                if (++ticks == 3) {
                    const bool late = runtime.nowMicroseconds() - enabledAt >= 60'000;
                    runtime.writeError(late ? "3 ticks, not early" : "3 ticks too early");
                    runtime.endProgram(0);
                }
            };
            runtime.run(form);
        },
        ::testing::ExitedWithCode(0), "3 ticks, not early");
}

TEST_F(RunLoopTest, TheLoopWatchRunsOnEveryTickAlsoWhenTheTickDoesNothing) {
    EXPECT_EXIT(
        {
            SdlRuntime runtime;
            ScriptedForm form;
            int ticks = 0;
            int looks = 0;
            form.load = [&] {
                runtime.setTimerInterval(20);
                runtime.setTimerEnabled(true);
            };
            form.timer = [&] { ++ticks; };
            runtime.setLoopWatch([&] {
                if (++looks == 5) {
                    runtime.writeError("5 looks after " + std::to_string(ticks) + " ticks");
                    runtime.endProgram(0);
                }
            });
            runtime.run(form);
        },
        ::testing::ExitedWithCode(0), "5 looks after [1-5] ticks");
}

TEST_F(RunLoopTest, ClosingTheWindowEndsTheProgramWithStatus0) {
    EXPECT_EXIT(
        {
            SdlRuntime runtime;
            ScriptedForm form;
            form.load = [&] {
                SDL_Event close{};
                close.type = SDL_WINDOWEVENT;
                close.window.event = SDL_WINDOWEVENT_CLOSE;
                close.window.windowID = static_cast<Uint32>(runtime.windowHandle());
                SDL_PushEvent(&close);
                pushKey(SDLK_a, SDL_SCANCODE_A);
            };
            form.key = [&](std::int16_t) { runtime.writeError("a key after the close"); };
            runtime.run(form);
        },
        ::testing::ExitedWithCode(0), "^$");
}

TEST_F(RunLoopTest, AnErrorThatEscapesTheKeyHandlerIsReportedAndEndsWithStatus1) {
    EXPECT_EXIT(
        {
            SdlRuntime runtime;
            ScriptedForm form;
            form.load = [] { pushKey(SDLK_e, SDL_SCANCODE_E); };
            form.key = [](std::int16_t) { throw AudioError("the speaker is gone."); };
            runtime.run(form);
        },
        ::testing::ExitedWithCode(1), "Error in the key handler: the speaker is gone. The game ends.");
}

TEST_F(RunLoopTest, EndProgramEndsAtOnceWithTheStatusAndWhatWasWrittenFlushed) {
    // The same path in the child, which runs this test again from its start.
    const std::filesystem::path output =
        std::filesystem::path(EARSHOT_RUNTIME_TESTS_DIR) / "end-program-output.txt";
    EXPECT_EXIT(
        {
            SdlRuntime runtime;
            ScriptedForm form;
            form.load = [&] {
                // Standard output to a file is fully buffered: nothing of
                // this has reached the file yet.
                std::freopen(output.c_str(), "w", stdout);
                std::cout << "written through the stream, ";
                std::printf("and through stdio");
                runtime.endProgram(7);
            };
            runtime.run(form);
        },
        ::testing::ExitedWithCode(7), "");
    std::ifstream file(output);
    const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::filesystem::remove(output);
    EXPECT_EQ(written, "written through the stream, and through stdio");
}

}  // namespace
}  // namespace earshot
