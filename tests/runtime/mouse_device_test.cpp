// The buffered mouse, fed with SDL events made by hand: the records it
// keeps, its one notification for all that was taken, its buffer limit,
// and the focus taking it away and giving it back.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "mouse_test_support.h"
#include "scenario_name.h"
#include "runtime/notification_events.h"
#include "runtime/sdl_mouse_device.h"

namespace earshot {
namespace {

using namespace earshot::testing;

struct Record {
    std::int32_t offset;
    std::int32_t data;
    bool operator==(const Record&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Record& r) {
    return out << "{offset " << r.offset << ", data " << r.data << "}";
}

class MouseDeviceTest : public ::testing::Test {
protected:
    MouseDeviceTest() {
        // The game's set-up, in its order.
        mouse_.SetCommonDataFormat(DIFORMAT_MOUSE);
        mouse_.SetCooperativeLevel(gameWindow, DISCL_EXCLUSIVE | DISCL_FOREGROUND);
        DIPROPLONG size;
        size.lData = 100;
        mouse_.SetProperty(DIPROP_BUFFERSIZE, size);
        handle_ = events_.create(&target_);
        mouse_.SetEventNotification(handle_);
    }

    // As a pump that finds only this event waiting gives it to the mouse.
    void feed(const SDL_Event& event) {
        mouse_.takeSdlEvent(event);
        mouse_.notifyGame();
    }

    // Reads as the game's handler does: up to 100 records.
    std::vector<Record> read() {
        std::array<DIDEVICEOBJECTDATA, 100> records{};
        const std::int32_t count = mouse_.GetDeviceData(records, 0);
        std::vector<Record> result;
        for (std::int32_t i = 0; i < count; ++i) {
            result.push_back({records[static_cast<std::size_t>(i)].lOfs,
                              records[static_cast<std::size_t>(i)].lData});
        }
        return result;
    }

    std::shared_ptr<CaptureState> capture_ = std::make_shared<CaptureState>();
    NotificationEvents events_;
    SdlMouseDevice mouse_{std::make_unique<CountingCapture>(capture_), events_};
    LoggingTarget target_;
    std::int32_t handle_ = 0;
};

TEST_F(MouseDeviceTest, AcquireCapturesTheMouseAndUnacquireReleasesIt) {
    mouse_.Acquire();
    EXPECT_TRUE(capture_->captured);
    mouse_.Unacquire();
    EXPECT_FALSE(capture_->captured);
    EXPECT_THROW(read(), InputError);
}

TEST_F(MouseDeviceTest, AMotionWithBothAxesGivesAnXRecordThenAYRecordAndOneSignal) {
    mouse_.Acquire();
    feed(motion(7, -3));
    EXPECT_EQ(target_.calls, std::vector<std::int32_t>{handle_});

    std::array<DIDEVICEOBJECTDATA, 100> records{};
    ASSERT_EQ(mouse_.GetDeviceData(records, 0), 2);
    EXPECT_EQ((Record{records[0].lOfs, records[0].lData}), (Record{DIMOFS_X, 7}));
    EXPECT_EQ((Record{records[1].lOfs, records[1].lData}), (Record{DIMOFS_Y, -3}));
    EXPECT_EQ(records[0].lSequence, records[1].lSequence) << "the two records happened together";
    EXPECT_TRUE(read().empty()) << "records that were read leave the buffer";
}

TEST_F(MouseDeviceTest, AnAxisThatDidNotMoveGivesNoRecord) {
    mouse_.Acquire();
    feed(motion(0, 5));
    feed(motion(-2, 0));
    feed(motion(0, 0));
    EXPECT_EQ(read(), (std::vector<Record>{{DIMOFS_Y, 5}, {DIMOFS_X, -2}}));
    EXPECT_EQ(target_.calls.size(), 2U) << "a motion that added no record signals nothing";
}

TEST_F(MouseDeviceTest, EverythingTakenAtOnceIsGatheredBeforeOneSignalAndTheOldestKept) {
    mouse_.Acquire();
    std::vector<Record> readInCallback;
    target_.onCall = [&] { readInCallback = read(); };
    // 75 motions, 150 records, taken from SDL's queue together.
    for (int i = 1; i <= 75; ++i) {
        mouse_.takeSdlEvent(motion(i, -i));
    }
    EXPECT_TRUE(target_.calls.empty()) << "the game heard of records before all were taken";
    mouse_.notifyGame();
    std::vector<Record> expected;
    for (int i = 1; i <= 50; ++i) {
        expected.push_back({DIMOFS_X, i});
        expected.push_back({DIMOFS_Y, -i});
    }
    EXPECT_EQ(target_.calls.size(), 1U);
    EXPECT_EQ(readInCallback, expected);
    EXPECT_TRUE(read().empty());

    // The buffer takes records again once it has been read.
    feed(motion(3, 0));
    EXPECT_EQ(readInCallback, (std::vector<Record>{{DIMOFS_X, 3}}));
    EXPECT_EQ(target_.calls.size(), 2U);
}

TEST_F(MouseDeviceTest, AFullBufferTheGameHasNotReadDropsWhatComesAndSignalsNoMore) {
    mouse_.Acquire();
    for (int i = 1; i <= 50; ++i) {
        mouse_.takeSdlEvent(button(SDL_BUTTON_LEFT, true));
        mouse_.takeSdlEvent(button(SDL_BUTTON_LEFT, false));
    }
    mouse_.notifyGame();
    ASSERT_EQ(target_.calls.size(), 1U);
    feed(motion(5, 5));
    mouse_.notifyGame();
    EXPECT_EQ(target_.calls.size(), 1U) << "dropped records or nothing at all were signalled";
    const std::vector<Record> records = read();
    ASSERT_EQ(records.size(), 100U);
    EXPECT_EQ(records.back(), (Record{DIMOFS_BUTTON0, 0})) << "a newer record pushed one out";
}

TEST_F(MouseDeviceTest, AReadTakesNoMoreThanTheArrayHolds) {
    mouse_.Acquire();
    for (int i = 1; i <= 3; ++i) {
        feed(motion(i, i));
    }
    std::array<DIDEVICEOBJECTDATA, 4> small{};
    EXPECT_EQ(mouse_.GetDeviceData(small, 0), 4);
    EXPECT_EQ(small[3].lOfs, DIMOFS_Y);
    EXPECT_EQ(small[3].lData, 2);
    EXPECT_EQ(read(), (std::vector<Record>{{DIMOFS_X, 3}, {DIMOFS_Y, 3}}));
}

TEST_F(MouseDeviceTest, TheHandlerReadsTheRecordsInsideTheNotification) {
    std::vector<Record> readInCallback;
    target_.onCall = [&] {
        for (const Record& r : read()) {
            readInCallback.push_back(r);
        }
    };
    mouse_.Acquire();
    feed(button(SDL_BUTTON_LEFT, true));
    feed(button(SDL_BUTTON_LEFT, false));
    EXPECT_EQ(readInCallback,
              (std::vector<Record>{{DIMOFS_BUTTON0, 0x80}, {DIMOFS_BUTTON0, 0}}));
}

struct EventCase {
    const char* scenario;
    SDL_Event event;
    std::vector<Record> expected;
};

std::ostream& operator<<(std::ostream& out, const EventCase& c) { return out << c.scenario; }

class MouseEventRecords : public MouseDeviceTest, public ::testing::WithParamInterface<EventCase> {};

TEST_P(MouseEventRecords, AreTheDevicesRecords) {
    const EventCase& c = GetParam();
    mouse_.Acquire();
    feed(c.event);
    EXPECT_EQ(read(), c.expected) << c.scenario;
    EXPECT_EQ(target_.calls.size(), c.expected.empty() ? 0U : 1U) << c.scenario;
}

INSTANTIATE_TEST_SUITE_P(
    ButtonsAndWheel, MouseEventRecords,
    ::testing::Values(
        EventCase{"left down", button(SDL_BUTTON_LEFT, true), {{DIMOFS_BUTTON0, 0x80}}},
        EventCase{"left up", button(SDL_BUTTON_LEFT, false), {{DIMOFS_BUTTON0, 0}}},
        EventCase{"right down", button(SDL_BUTTON_RIGHT, true), {{DIMOFS_BUTTON1, 0x80}}},
        EventCase{"right up", button(SDL_BUTTON_RIGHT, false), {{DIMOFS_BUTTON1, 0}}},
        EventCase{"middle down", button(SDL_BUTTON_MIDDLE, true), {{DIMOFS_BUTTON2, 0x80}}},
        EventCase{"first side button up", button(SDL_BUTTON_X1, false), {{DIMOFS_BUTTON3, 0}}},
        EventCase{"second side button (not in the format)", button(SDL_BUTTON_X2, true), {}},
        EventCase{"wheel one detent away", wheel(0, 1), {{DIMOFS_Z, 120}}},
        EventCase{"wheel two detents towards", wheel(0, -2), {{DIMOFS_Z, -240}}},
        EventCase{"natural scrolling, away", wheel(0, -1, true), {{DIMOFS_Z, 120}}},
        EventCase{"sideways scrolling only", wheel(3, 0), {}},
        EventCase{"a key", [] {
                      SDL_Event key{};
                      key.type = SDL_KEYDOWN;
                      key.key.keysym.sym = SDLK_a;
                      return key;
                  }(),
                  {}}),
    earshot::testing::scenarioName<EventCase>);

TEST_F(MouseDeviceTest, ANeverAcquiredMouseKeepsNothingAndItsReadFails) {
    feed(motion(4, 4));
    EXPECT_TRUE(target_.calls.empty());
    EXPECT_THROW(read(), InputError);
    mouse_.Acquire();
    EXPECT_TRUE(read().empty()) << "motion before the acquire was kept";
}

TEST_F(MouseDeviceTest, LosingTheFocusTakesTheMouseAwayAndTheReadFails) {
    mouse_.Acquire();
    feed(motion(1, 1));
    target_.calls.clear();

    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_EQ(target_.calls, std::vector<std::int32_t>{handle_}) << "the loss is signalled";
    EXPECT_FALSE(capture_->captured);
    try {
        read();
        FAIL() << "a read of a mouse that was taken away succeeded";
    } catch (const InputError& error) {
        EXPECT_NE(std::string(error.what()).find("taken away"), std::string::npos)
            << error.what();
    }

    // While the window is in the background the mouse gives nothing.
    target_.calls.clear();
    feed(motion(9, 9));
    EXPECT_TRUE(target_.calls.empty());
}

TEST_F(MouseDeviceTest, RegainingTheFocusAcquiresTheMouseAgain) {
    mouse_.Acquire();
    feed(motion(1, 1));
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    feed(motion(9, 9));

    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_TRUE(capture_->captured);
    EXPECT_EQ(capture_->captures, 2);
    EXPECT_TRUE(read().empty()) << "records from before the loss or during it survived";
    feed(motion(-5, 0));
    EXPECT_EQ(read(), (std::vector<Record>{{DIMOFS_X, -5}}));
}

TEST_F(MouseDeviceTest, FocusChangesDoNotAcquireAMouseTheGameReleased) {
    mouse_.Acquire();
    mouse_.Unacquire();
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_FALSE(capture_->captured);
    EXPECT_EQ(capture_->captures, 1);
    EXPECT_TRUE(target_.calls.empty()) << "a mouse not held cannot be taken away";
    EXPECT_THROW(read(), InputError);
}

TEST_F(MouseDeviceTest, TheFocusOfAnotherWindowChangesNothing) {
    mouse_.Acquire();
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST, gameWindow + 1));
    EXPECT_TRUE(capture_->captured);
    EXPECT_TRUE(target_.calls.empty());
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, gameWindow + 1));
    EXPECT_FALSE(capture_->captured) << "another window's focus gave the game the mouse";
    EXPECT_THROW(read(), InputError);
}

TEST_F(MouseDeviceTest, GainingTheFocusWhileAcquiredChangesNothing) {
    mouse_.Acquire();
    feed(motion(2, 0));
    feed(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_EQ(capture_->captures, 1);
    EXPECT_EQ(read(), (std::vector<Record>{{DIMOFS_X, 2}}));
}

TEST_F(MouseDeviceTest, AnAcquireThatCannotCaptureFailsAndLeavesTheMouseUnacquired) {
    capture_->refuse = true;
    EXPECT_THROW(mouse_.Acquire(), InputError);
    feed(motion(1, 1));
    EXPECT_TRUE(target_.calls.empty());
    EXPECT_THROW(read(), InputError);
}

TEST(MouseDeviceSetUp, RefusesWhatTheGameCannotHaveAsked) {
    NotificationEvents events;
    auto state = std::make_shared<CaptureState>();
    SdlMouseDevice mouse(std::make_unique<CountingCapture>(state), events);
    EXPECT_THROW(mouse.Acquire(), InputError) << "acquired before it had a data format";
    EXPECT_THROW(mouse.SetCommonDataFormat(1), InputError);
    EXPECT_THROW(mouse.SetEventNotification(42), InputError) << "an event that does not exist";
    DIPROPLONG negative;
    negative.lData = -1;
    EXPECT_THROW(mouse.SetProperty(DIPROP_BUFFERSIZE, negative), InputError);
    EXPECT_THROW(mouse.SetProperty("DIPROP_AXISMODE", DIPROPLONG{}), InputError);
    EXPECT_FALSE(state->captured);
}

TEST(MouseDeviceSetUp, WithoutABufferSizeTheMouseKeepsNoRecords) {
    NotificationEvents events;
    LoggingTarget target;
    SdlMouseDevice mouse(std::make_unique<CountingCapture>(std::make_shared<CaptureState>()),
                         events);
    mouse.SetCommonDataFormat(DIFORMAT_MOUSE);
    mouse.SetEventNotification(events.create(&target));
    mouse.Acquire();
    mouse.takeSdlEvent(motion(1, 1));
    mouse.notifyGame();
    std::array<DIDEVICEOBJECTDATA, 100> records{};
    EXPECT_EQ(mouse.GetDeviceData(records, 0), 0);
    EXPECT_TRUE(target.calls.empty());
}

}  // namespace
}  // namespace earshot
