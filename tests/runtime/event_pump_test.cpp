// The runtime's pump on a real SDL event queue: it hands each event that is
// pending to its handler, in order, and no more; a handler may pump again;
// an overdue timer gives one tick.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "mouse_test_support.h"
#include "runtime/notification_events.h"
#include "runtime/sdl_mouse_device.h"
#include "sdl_fixture.h"

namespace earshot {
namespace {

using namespace earshot::testing;
using Log = std::vector<std::string>;

TEST_F(SdlRuntimeTest, ThePumpDispatchesThePendingKeysInOrder) {
    pushKey(SDLK_e, SDL_SCANCODE_E);
    pushKey(SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, KMOD_LSHIFT);
    pushKey(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LCTRL | KMOD_RALT);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 69", "key 186 shift 1", "key 13 shift 6"}));
    runtime_->doEvents();
    EXPECT_EQ(form_.log.size(), 3U) << "a second pump found the same events again";
}

TEST_F(SdlRuntimeTest, AutoRepeatedKeyDownsAreKeyDownsToo) {
    pushKey(SDLK_e, SDL_SCANCODE_E);
    pushKey(SDLK_e, SDL_SCANCODE_E, 0, true);
    pushKey(SDLK_e, SDL_SCANCODE_E, 0, true);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 69", "key 69", "key 69"}));
}

TEST_F(SdlRuntimeTest, EveryKeyDownReachesTheHandlerAndNoKeyUp) {
    // Keys that no command answers still reach the handler, which pumps:
    // with their codes where they have one, else with 0.
    pushKey(SDLK_F1, SDL_SCANCODE_F1);
    SDL_Event up{};
    up.type = SDL_KEYUP;
    up.key.keysym.sym = SDLK_e;
    up.key.keysym.scancode = SDL_SCANCODE_E;
    push(up);
    pushKey(SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, KMOD_LSHIFT);
    pushKey(SDLK_DOWN, SDL_SCANCODE_DOWN);
    pushKey(SDLK_7, SDL_SCANCODE_7);
    pushKey(SDLK_SPACE, SDL_SCANCODE_SPACE);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 112", "key 0 shift 1", "key 40", "key 55", "key 32"}));
}

TEST_F(SdlRuntimeTest, AnEventThatArrivesDuringTheDispatchWaitsForTheNextPump) {
    form_.onKey = [](std::int16_t code) {
        if (code == 'A') {
            pushKey(SDLK_b, SDL_SCANCODE_B);
        }
    };
    pushKey(SDLK_a, SDL_SCANCODE_A);
    pushKey(SDLK_c, SDL_SCANCODE_C);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 65", "key 67"}));
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 65", "key 67", "key 66"}));
}

TEST_F(SdlRuntimeTest, AHandlerThatPumpsHandlesTheEventsPendingBeforeItFirst) {
    // As the key handler does: pump first, then act.
    form_.onKey = [this](std::int16_t code) {
        if (code == 'A') {
            form_.log.push_back("A pumps");
            runtime_->doEvents();
            form_.log.push_back("A acts");
        }
    };
    pushKey(SDLK_a, SDL_SCANCODE_A);
    pushKey(SDLK_b, SDL_SCANCODE_B);
    pushKey(SDLK_c, SDL_SCANCODE_C);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 65", "A pumps", "key 66", "key 67", "A acts"}));
    runtime_->doEvents();
    EXPECT_EQ(form_.log.size(), 5U) << "an event was dispatched twice";
}

TEST_F(SdlRuntimeTest, ANestedPumpAlsoTakesWhatArrivedSinceTheOuterOne) {
    form_.onKey = [this](std::int16_t code) {
        if (code == 'A') {
            pushKey(SDLK_d, SDL_SCANCODE_D);
            runtime_->doEvents();
            form_.log.push_back("A acts");
        }
    };
    pushKey(SDLK_a, SDL_SCANCODE_A);
    pushKey(SDLK_b, SDL_SCANCODE_B);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 65", "key 66", "key 68", "A acts"}));
}

TEST_F(SdlRuntimeTest, ABacklogOfKeysThatEachPumpFirstIsHandledWhollyWithinABoundedDepth) {
    // A storm of keys, every one of whose handlers pumps before it acts, as
    // the game's key handler does: without a bound each would nest one
    // level deeper until the stack ran out.
    constexpr int keys = 3000;
    int depth = 0;
    int deepest = 0;
    std::vector<int> acted;
    form_.onKey = [&](std::int16_t) {
        const int mine = static_cast<int>(form_.log.size());
        deepest = std::max(deepest, ++depth);
        runtime_->doEvents();
        acted.push_back(mine);
        --depth;
    };
    for (int i = 0; i < keys; ++i) {
        pushKey(SDLK_e, SDL_SCANCODE_E);
    }
    runtime_->doEvents();
    EXPECT_EQ(form_.log.size(), static_cast<std::size_t>(keys)) << "keys lost or handled twice";
    EXPECT_EQ(acted.size(), static_cast<std::size_t>(keys));
    EXPECT_LE(deepest, SdlRuntime::maxPumpDepth + 1);
    EXPECT_GT(deepest, 1) << "the pumps did not nest at all";
}

TEST_F(SdlRuntimeTest, ATimerThatIsNotDueGivesNoTick) {
    runtime_->setTimerInterval(10'000);
    runtime_->setTimerEnabled(true);
    pushKey(SDLK_p, SDL_SCANCODE_P);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 80"}));
}

TEST_F(SdlRuntimeTest, AnOverdueTimerGivesOneTickAfterThePendingEvents) {
    runtime_->setTimerInterval(100);
    runtime_->setTimerEnabled(true);
    // Busy through two and a half intervals.
    runtime_->sleepUntilMicroseconds(runtime_->nowMicroseconds() + 250'000);
    pushKey(SDLK_p, SDL_SCANCODE_P);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 80", "tick"}));
    // The next expiry lies 50 ms ahead: the missed ones are not delivered.
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 80", "tick"}));
}

TEST_F(SdlRuntimeTest, ATickDueInANestedPumpIsNotGivenAgainByTheOuterOne) {
    runtime_->setTimerInterval(100);
    runtime_->setTimerEnabled(true);
    runtime_->sleepUntilMicroseconds(runtime_->nowMicroseconds() + 150'000);
    form_.onKey = [this](std::int16_t) { runtime_->doEvents(); };
    pushKey(SDLK_p, SDL_SCANCODE_P);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 80", "tick"}));
}

TEST_F(SdlRuntimeTest, AStoppedTimerGivesNoTick) {
    runtime_->setTimerInterval(1);
    runtime_->setTimerEnabled(true);
    runtime_->setTimerEnabled(false);
    runtime_->sleepUntilMicroseconds(runtime_->nowMicroseconds() + 5'000);
    runtime_->doEvents();
    EXPECT_TRUE(form_.log.empty());
}

class SdlRuntimeMouseTest : public SdlRuntimeTest {
protected:
    SdlRuntimeMouseTest() {
        mouse_->SetCommonDataFormat(DIFORMAT_MOUSE);
        DIPROPLONG size;
        size.lData = 100;
        mouse_->SetProperty(DIPROP_BUFFERSIZE, size);
        mouse_->SetEventNotification(events_.create(&target_));
        mouse_->Acquire();
        runtime_->eventSinks().add(mouse_);
    }

    std::int32_t pendingRecords() {
        std::array<DIDEVICEOBJECTDATA, 100> records{};
        return mouse_->GetDeviceData(records, 0);
    }

    NotificationEvents events_;
    LoggingTarget target_;
    std::shared_ptr<SdlMouseDevice> mouse_ = std::make_shared<SdlMouseDevice>(
        std::make_unique<CountingCapture>(std::make_shared<CaptureState>()), events_);
};

TEST_F(SdlRuntimeMouseTest, ThePumpGathersEveryWaitingMouseEventAndTheGameHearsOnceBeforeTheKeys) {
    target_.onCall = [this] {
        form_.log.push_back("mouse " + std::to_string(pendingRecords()));
    };
    pushKey(SDLK_a, SDL_SCANCODE_A);
    push(motion(3, 4));
    pushKey(SDLK_z, SDL_SCANCODE_Z);
    push(button(SDL_BUTTON_RIGHT, true));
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"mouse 3", "key 65", "key 90"}));
    runtime_->doEvents();
    EXPECT_EQ(form_.log.size(), 3U) << "the mouse was heard of again with nothing new";
}

// The x movements of the records read, in order.
std::vector<std::int32_t> xMovements(std::span<const DIDEVICEOBJECTDATA> records) {
    std::vector<std::int32_t> moves;
    for (const DIDEVICEOBJECTDATA& record : records) {
        moves.push_back(record.lOfs == DIMOFS_X ? record.lData : -1);
    }
    return moves;
}

std::vector<std::int32_t> oneTo(std::int32_t last) {
    std::vector<std::int32_t> numbers;
    for (std::int32_t i = 1; i <= last; ++i) {
        numbers.push_back(i);
    }
    return numbers;
}

class SdlRuntimeMouseBacklogTest : public SdlRuntimeMouseTest {
protected:
    SdlRuntimeMouseBacklogTest() {
        target_.onCall = [this] {
            std::array<DIDEVICEOBJECTDATA, 100> records{};
            const std::int32_t count = mouse_->GetDeviceData(records, 0);
            const auto read = xMovements(std::span(records).first(static_cast<std::size_t>(count)));
            reads_.push_back(read);
        };
    }

    // Movements of 1, 2, ... counts to the right, one record each, put into
    // SDL's queue with a key among them.
    static void pushMotions(int count) {
        for (int i = 1; i <= count; ++i) {
            push(motion(i, 0));
            if (i == count / 2) {
                pushKey(SDLK_p, SDL_SCANCODE_P);
            }
        }
    }

    std::vector<std::vector<std::int32_t>> reads_;
};

TEST_F(SdlRuntimeMouseBacklogTest, ABacklogGivesOneReadOfTheOldestHundredRecords) {
    pushMotions(250);
    runtime_->doEvents();
    ASSERT_EQ(reads_.size(), 1U) << "the game heard of the mouse more than once";
    EXPECT_EQ(reads_[0], oneTo(100));
    EXPECT_EQ(form_.log, (Log{"key 80"}));
    EXPECT_EQ(pendingRecords(), 0) << "dropped records came back";
}

TEST_F(SdlRuntimeMouseBacklogTest, WhatCameWhileAHandlerHeldTheThreadIsOneBufferAtItsPump) {
    // A key handler that is busy (a sentence, say) while the mouse moves,
    // and then pumps, as the wire does in its travel.
    form_.onKey = [this](std::int16_t code) {
        if (code == 'A') {
            pushMotions(180);
            runtime_->doEvents();
            form_.log.push_back("A goes on");
        }
    };
    pushKey(SDLK_a, SDL_SCANCODE_A);
    runtime_->doEvents();
    ASSERT_EQ(reads_.size(), 1U) << "the game heard of the mouse more than once";
    EXPECT_EQ(reads_[0], oneTo(100));
    EXPECT_EQ(form_.log, (Log{"key 65", "key 80", "A goes on"}));

    // Later movements are buffered anew.
    push(motion(7, 0));
    runtime_->doEvents();
    ASSERT_EQ(reads_.size(), 2U);
    EXPECT_EQ(reads_[1], (std::vector<std::int32_t>{7}));
}

TEST_F(SdlRuntimeMouseTest, RecordsTakenBeforeTheFocusWasLostAreLostWithIt) {
    target_.onCall = [this] {
        try {
            form_.log.push_back("mouse " + std::to_string(pendingRecords()));
        } catch (const InputError&) {
            form_.log.push_back("mouse taken away");
        }
    };
    push(motion(5, 0));
    push(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    push(motion(6, 0));
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"mouse taken away"}));
}

TEST_F(SdlRuntimeMouseTest, AFailingMouseHandlerIsReportedAndThePumpGoesOn) {
    target_.onCall = [] { throw InputError("the test's handler failed."); };
    push(motion(1, 0));
    pushKey(SDLK_a, SDL_SCANCODE_A);
    ::testing::internal::CaptureStderr();
    runtime_->doEvents();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors, "Error in the mouse input: the test's handler failed.\n");
    EXPECT_EQ(form_.log, (Log{"key 65"}));
}

TEST_F(SdlRuntimeMouseTest, AMouseTheGameLetGoOfHearsNoMore) {
    std::weak_ptr<SdlMouseDevice> weak = mouse_;
    mouse_.reset();
    ASSERT_TRUE(weak.expired());
    push(motion(1, 0));
    pushKey(SDLK_a, SDL_SCANCODE_A);
    runtime_->doEvents();
    EXPECT_EQ(form_.log, (Log{"key 65"}));
    EXPECT_TRUE(target_.calls.empty());
}

TEST_F(SdlRuntimeMouseTest, FocusEventsThroughThePumpTakeTheMouseAwayAndBack) {
    push(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    runtime_->doEvents();
    EXPECT_THROW(pendingRecords(), InputError);
    push(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    push(motion(0, -6));
    runtime_->doEvents();
    EXPECT_EQ(pendingRecords(), 1);
}

}  // namespace
}  // namespace earshot
