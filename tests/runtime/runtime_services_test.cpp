// The window and the process services of the runtime: the window's title
// and size, the program's folder, the working directory, the clock, the
// random numbers and the caption line.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "game/errors.h"
#include "sdl_fixture.h"

namespace earshot {
namespace {

using namespace earshot::testing;
namespace fs = std::filesystem;

TEST_F(SdlRuntimeTest, TheWindowIsForm1With312By213Pixels) {
    SDL_Window* window = SDL_GetWindowFromID(static_cast<Uint32>(runtime_->windowHandle()));
    ASSERT_NE(window, nullptr) << "the window handle names no window";
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Form1");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 312);
    EXPECT_EQ(height, 213);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_HIDDEN, 0U) << "shown before the load";
    runtime_->showWindow();
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_HIDDEN, 0U);
}

class WorkingDirectory : public SdlRuntimeTest {
protected:
    WorkingDirectory() : original_(fs::current_path()) {}
    ~WorkingDirectory() override { fs::current_path(original_); }

    fs::path original_;
};

TEST_F(WorkingDirectory, AppPathIsTheExecutablesFolderWhereverTheWorkingDirectoryIs) {
    const fs::path expected = fs::canonical(EARSHOT_RUNTIME_TESTS_DIR);
    EXPECT_EQ(fs::canonical(runtime_->appPath()), expected);

    const fs::path elsewhere = fs::temp_directory_path();
    runtime_->chDir(elsewhere.string());
    EXPECT_EQ(fs::canonical(fs::current_path()), fs::canonical(elsewhere));
    EXPECT_EQ(fs::canonical(runtime_->appPath()), expected);
    EXPECT_NE(runtime_->appPath().back(), '/') << "a trailing separator";

    runtime_->chDir(runtime_->appPath());
    EXPECT_EQ(fs::canonical(fs::current_path()), expected);
}

TEST_F(WorkingDirectory, AFolderThatDoesNotExistIsAnErrorNamingIt) {
    const std::string missing = "/nonexistent/earshot-runtime-test";
    try {
        runtime_->chDir(missing);
        FAIL() << "changed to a folder that does not exist";
    } catch (const WindowError& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    }
    EXPECT_EQ(fs::current_path(), original_);
}

TEST_F(SdlRuntimeTest, SleepUntilReturnsNoEarlierThanTheDeadline) {
    for (const std::int64_t delay : {0, 300, 2'000, 15'000}) {
        const std::int64_t deadline = runtime_->nowMicroseconds() + delay;
        runtime_->sleepUntilMicroseconds(deadline);
        EXPECT_GE(runtime_->nowMicroseconds(), deadline) << "a sleep of " << delay << " us";
    }
    // A deadline in the past returns at once (it does not hang).
    runtime_->sleepUntilMicroseconds(runtime_->nowMicroseconds() - 1'000'000);
}

TEST_F(SdlRuntimeTest, RndGivesSinglesInTheHalfOpenUnitIntervalAndRandomizeReseeds) {
    runtime_->randomize();
    std::vector<float> first;
    for (int i = 0; i < 1000; ++i) {
        const float value = runtime_->rnd();
        ASSERT_GE(value, 0.0F);
        ASSERT_LT(value, 1.0F);
        first.push_back(value);
    }
    runtime_->randomize();
    std::vector<float> second;
    for (int i = 0; i < 1000; ++i) {
        second.push_back(runtime_->rnd());
    }
    EXPECT_NE(first, second);
}

TEST_F(SdlRuntimeTest, ACaptionIsOneLineOnStandardOutputAndAnErrorOneOnStandardError) {
    ::testing::internal::CaptureStdout();
    runtime_->writeCaption("muting front left speaker.");
    runtime_->writeCaption("100");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "muting front left speaker.\n100\n");
    ::testing::internal::CaptureStderr();
    runtime_->writeError("The game could not start.");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The game could not start.\n");
}

TEST(SdlRuntimeWithoutDisplay, FailsWithSdlsReason) {
    // A video driver that does not exist stands for a machine without one.
    setenv("SDL_VIDEODRIVER", "no-such-display", 1);
    try {
        SdlRuntime runtime;
        FAIL() << "a runtime came up without a display";
    } catch (const WindowError& error) {
        EXPECT_NE(std::string(error.what()).find("SDL cannot start its video: "), std::string::npos)
            << error.what();
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
}

TEST(SdlRuntimeWithoutDisplay, DoesNotSettleForADriverWithoutOne) {
    // With no display named, SDL would quietly run on its offscreen driver
    // and the game would be in a window that nobody can reach.
    unsetenv("SDL_VIDEODRIVER");
    const std::string display = getenv("DISPLAY") != nullptr ? getenv("DISPLAY") : "";
    const std::string wayland = getenv("WAYLAND_DISPLAY") != nullptr ? getenv("WAYLAND_DISPLAY") : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::string outcome;
    try {
        SdlRuntime runtime;
        outcome = std::string("came up on ") + SDL_GetCurrentVideoDriver();
    } catch (const WindowError& error) {
        outcome = error.what();
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("WAYLAND_DISPLAY", wayland.c_str(), 1);
    if (outcome == "came up on KMSDRM") {
        GTEST_SKIP() << "this machine has a console display that SDL can drive directly";
    }
    EXPECT_NE(outcome.find("there is no display"), std::string::npos) << outcome;
}

}  // namespace
}  // namespace earshot
