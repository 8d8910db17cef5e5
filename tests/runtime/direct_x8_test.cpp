// The platform root of the program: its notification events belong to the
// process and outlive the root, and the mouse it makes needs a pointer.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/errors.h"
#include "mouse_test_support.h"
#include "runtime/notification_events.h"
#include "runtime/sdl_direct_x8.h"
#include "sdl_fixture.h"

namespace earshot {
namespace {

using namespace earshot::testing;

TEST(SdlDirectX8Events, OutliveTheRootThatMadeThem) {
    NotificationEvents events;
    SdlEventSinks sinks;
    LoggingTarget first;
    LoggingTarget second;
    auto root = std::make_unique<SdlDirectX8>(sinks, events);
    const std::int32_t a = root->CreateEvent(&first);
    const std::int32_t b = root->CreateEvent(&second);
    EXPECT_NE(a, 0);
    EXPECT_NE(a, b);
    // The game start replaces the root; the mouse keeps its event.
    root = std::make_unique<SdlDirectX8>(sinks, events);
    events.signal(a);
    EXPECT_EQ(first.calls, std::vector<std::int32_t>{a});
    EXPECT_TRUE(second.calls.empty());
}

TEST(SdlDirectX8Events, NeedACallbackTarget) {
    NotificationEvents events;
    SdlEventSinks sinks;
    SdlDirectX8 root(sinks, events);
    EXPECT_THROW(root.CreateEvent(nullptr), InputError);
}

TEST(SdlDirectX8Events, TheProcessWideEventsAreOneSet) {
    EXPECT_EQ(&NotificationEvents::processWide(), &NotificationEvents::processWide());
    SdlEventSinks sinks;
    LoggingTarget target;
    const std::int32_t handle = SdlDirectX8(sinks).CreateEvent(&target);
    EXPECT_TRUE(NotificationEvents::processWide().exists(handle));
}

TEST_F(SdlRuntimeTest, ADisplayWithoutAPointerHasNoMouse) {
    SdlDirectX8 root(runtime_->eventSinks());
    std::shared_ptr<DirectInput8> input = root.DirectInputCreate();
    ASSERT_NE(input, nullptr);
    try {
        input->CreateDevice(GUID_SysMouse);
        FAIL() << "the dummy display gave a mouse";
    } catch (const InputError& error) {
        EXPECT_NE(std::string(error.what()).find("no mouse"), std::string::npos) << error.what();
    }
}

TEST_F(SdlRuntimeTest, OnlyTheSystemMouseIsADevice) {
    SdlDirectX8 root(runtime_->eventSinks());
    EXPECT_THROW(root.DirectInputCreate()->CreateDevice("guid_SysKeyboard"), InputError);
}

}  // namespace
}  // namespace earshot
