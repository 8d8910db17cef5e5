// The runtime on a real X display (a private virtual one): the window takes
// the keyboard focus, keys typed on the keyboard arrive as the game's codes,
// the pointer gives relative motion, button and wheel records while the
// mouse is captured, and the focus moving away and back takes the mouse
// away and gives it back.
#include <gtest/gtest.h>

#include <SDL.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "game/errors.h"
#include "mouse_test_support.h"
#include "runtime/sdl_direct_x8.h"
#include "sdl_fixture.h"

namespace earshot {
namespace {

using namespace earshot::testing;
using Log = std::vector<std::string>;

// Sends input as a user would, through the X server. A busy virtual server
// sometimes refuses a connection, so a command is tried a few times.
void xdotool(const std::string& arguments) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (std::system(("xdotool " + arguments + " 2>/dev/null").c_str()) == 0) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    FAIL() << "xdotool " << arguments << " failed";
}

class DisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { unsetenv("SDL_VIDEODRIVER"); }

    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') {
            GTEST_SKIP() << "no display; ctest runs this inside xvfb-run";
        }
        runtime_ = std::make_unique<SdlRuntime>();
        runtime_->attach(form_);
        runtime_->showWindow();
        window_ = SDL_GetWindowFromID(static_cast<Uint32>(runtime_->windowHandle()));
        ASSERT_TRUE(pumpUntil([this] { return SDL_GetKeyboardFocus() == window_; }))
            << "the window did not take the keyboard focus";
    }

    // Pumps as the event loop does until the condition holds; false after
    // three seconds without it.
    bool pumpUntil(const std::function<bool()>& condition) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (std::chrono::steady_clock::now() < limit) {
            runtime_->doEvents();
            if (condition()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    LoggingForm form_;
    std::unique_ptr<SdlRuntime> runtime_;
    SDL_Window* window_ = nullptr;
};

TEST_F(DisplayTest, KeysTypedOnTheKeyboardArriveAsTheGamesCodes) {
    // Every key-down arrives, Shift's own too (a key without a code, 0).
    xdotool("key e semicolon slash shift+p Return Escape F1 space");
    ASSERT_TRUE(pumpUntil([this] { return form_.log.size() >= 9; })) << form_.log.size();
    EXPECT_EQ(form_.log, (Log{"key 69", "key 186", "key 191", "key 0 shift 1", "key 80 shift 1",
                              "key 13", "key 27", "key 112", "key 32"}));
}

class DisplayMouseTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        // The game's set-up of the mouse, on the program's own root.
        SdlDirectX8 root(runtime_->eventSinks());
        input_ = root.DirectInputCreate();
        mouse_ = input_->CreateDevice(GUID_SysMouse);
        mouse_->SetCommonDataFormat(DIFORMAT_MOUSE);
        mouse_->SetCooperativeLevel(runtime_->windowHandle(), DISCL_EXCLUSIVE | DISCL_FOREGROUND);
        DIPROPLONG size;
        size.lData = 100;
        mouse_->SetProperty(DIPROP_BUFFERSIZE, size);
        mouse_->SetEventNotification(root.CreateEvent(&target_));
        mouse_->Acquire();
        // The handler reads every pending record, as the game's does.
        target_.onCall = [this] {
            std::array<DIDEVICEOBJECTDATA, 100> records{};
            try {
                const std::int32_t count = mouse_->GetDeviceData(records, 0);
                for (std::int32_t i = 0; i < count; ++i) {
                    const auto& r = records[static_cast<std::size_t>(i)];
                    records_.push_back(std::to_string(r.lOfs) + ":" + std::to_string(r.lData));
                }
            } catch (const InputError&) {
                ++failedReads_;
            }
        };
    }

    std::shared_ptr<DirectInput8> input_;
    std::shared_ptr<DirectInputDevice8> mouse_;
    LoggingTarget target_;
    Log records_;
    int failedReads_ = 0;
};

TEST_F(DisplayMouseTest, ThePointerGivesRelativeMotionButtonAndWheelRecordsWhileCaptured) {
    EXPECT_EQ(SDL_GetRelativeMouseMode(), SDL_TRUE) << "the acquired mouse is not captured";
    xdotool("mousemove_relative -- 5 -7");
    ASSERT_TRUE(pumpUntil([this] { return records_.size() >= 2; }));
    xdotool("click 1");
    xdotool("click 4");
    ASSERT_TRUE(pumpUntil([this] { return records_.size() >= 5; })) << records_.size();
    EXPECT_EQ(records_, (Log{"0:5", "4:-7", "12:128", "12:0", "8:120"}));
    EXPECT_EQ(failedReads_, 0);
}

TEST_F(DisplayMouseTest, TheFocusMovingAwayTakesTheMouseAndComingBackReturnsIt) {
    SdlWindow other(SDL_CreateWindow("another window", 0, 0, 100, 100, SDL_WINDOW_SHOWN));
    ASSERT_NE(other, nullptr) << SDL_GetError();
    SDL_SetWindowInputFocus(other.get());
    ASSERT_TRUE(pumpUntil([this] { return failedReads_ == 1; }))
        << "no failed read when the window lost the focus";
    EXPECT_EQ(SDL_GetRelativeMouseMode(), SDL_FALSE) << "the mouse stayed captured";

    SDL_SetWindowInputFocus(window_);
    ASSERT_TRUE(pumpUntil([this] { return SDL_GetKeyboardFocus() == window_; }));
    EXPECT_EQ(SDL_GetRelativeMouseMode(), SDL_TRUE) << "the mouse was not captured again";
    xdotool("mousemove_relative -- 3 0");
    ASSERT_TRUE(pumpUntil([this] { return !records_.empty(); }))
        << "the mouse gave nothing after the focus came back";
    EXPECT_EQ(records_, (Log{"0:3"}));
    EXPECT_EQ(failedReads_, 1);
}

}  // namespace
}  // namespace earshot
