// The mouse: the movement commands it calls, its records and its buttons,
// and what becomes of a failing read or command.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/single.h"
#include "input/key_codes.h"
#include "tests/core/game_fixture.h"

namespace earshot::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using fakes::mouseRecord;

const Speaker FL = Speaker::FrontLeft;
const Speaker FR = Speaker::FrontRight;
const Speaker RL = Speaker::RearLeft;
const Speaker RR = Speaker::RearRight;

class PointerTest : public KnownPlacesTest {
protected:
    // `count` moves of one step along an axis, as the game stores each one.
    float steppedBy(Speaker which, Axis axis, int count) {
        const D3DVECTOR& p = before(which);
        float c = axis == Axis::X ? p.x : p.z;
        const int direction = count < 0 ? -1 : 1;
        for (int i = 0; i < (count < 0 ? -count : count); ++i) {
            c = single(wide(c) + direction * wide(form.speaker(which).Step));
        }
        return c;
    }

    // The net steps each speaker's axes should have moved; checks all eight.
    void expectPositions(const std::array<std::array<int, 2>, 4>& steps, const std::string& what) {
        for (Speaker which : speakerOrder) {
            const auto& net = steps[static_cast<std::size_t>(which)];
            const D3DVECTOR& p = form.speaker(which).Pos;
            EXPECT_EQ(p.x, steppedBy(which, Axis::X, net[0]))
                << what << ": " << speakerName(which) << " x";
            EXPECT_EQ(p.z, steppedBy(which, Axis::Z, net[1]))
                << what << ": " << speakerName(which) << " z";
            EXPECT_EQ(p.y, 0.0F);
        }
    }

    // A notification with these records, handled by the next pump.
    void deliver(std::vector<DIDEVICEOBJECTDATA> records) {
        fake.queueMouse(std::move(records));
        fake.runtime.doEvents();
    }

    int reads() { return static_cast<int>(fake.log.matching("Mouse.GetDeviceData(").size()); }
};

// ---------------------------------------------------------------------------
// The movement commands: the sixteen cases.

using MoveCommand = void (Form1::*)();

struct MoveCase {
    const char* name;
    bool frontSelected;
    bool leftSelected;
    MoveCommand command;
    Speaker moved;
    Axis axis;
    int direction;
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

const std::vector<MoveCase> moveCases = {
    {"FrontLeft_MoveLeft", true, true, &Form1::MoveLeft, FL, Axis::X, -1},
    {"FrontLeft_MoveRight", true, true, &Form1::MoveRight, FL, Axis::X, +1},
    {"FrontLeft_MoveForward", true, true, &Form1::MoveForward, FL, Axis::Z, +1},
    {"FrontLeft_MoveBack", true, true, &Form1::MoveBack, FL, Axis::Z, -1},
    {"FrontRight_MoveLeft", true, false, &Form1::MoveLeft, FR, Axis::X, -1},
    {"FrontRight_MoveRight", true, false, &Form1::MoveRight, FR, Axis::X, +1},
    {"FrontRight_MoveForward", true, false, &Form1::MoveForward, FR, Axis::Z, +1},
    {"FrontRight_MoveBack", true, false, &Form1::MoveBack, FR, Axis::Z, -1},
    {"RearLeft_MoveLeft", false, true, &Form1::MoveLeft, RL, Axis::X, -1},
    {"RearLeft_MoveRight", false, true, &Form1::MoveRight, RL, Axis::X, +1},
    {"RearLeft_MoveForward", false, true, &Form1::MoveForward, RL, Axis::Z, +1},
    {"RearLeft_MoveBack", false, true, &Form1::MoveBack, RL, Axis::Z, -1},
    {"RearRight_MoveLeft", false, false, &Form1::MoveLeft, RR, Axis::X, -1},
    {"RearRight_MoveRight", false, false, &Form1::MoveRight, RR, Axis::X, +1},
    {"RearRight_MoveForward", false, false, &Form1::MoveForward, RR, Axis::Z, +1},
    {"RearRight_MoveBack", false, false, &Form1::MoveBack, RR, Axis::Z, -1},
};

class MoveCommandTest : public PointerTest, public ::testing::WithParamInterface<MoveCase> {
protected:
    void run() {
        const MoveCase& c = GetParam();
        form.FrontSelected = c.frontSelected;
        form.LeftSelected = c.leftSelected;
        fake.log.clear();
        (form.*c.command)();
    }
    std::array<std::array<int, 2>, 4> moved(int steps) {
        std::array<std::array<int, 2>, 4> net{};
        net[static_cast<std::size_t>(GetParam().moved)][GetParam().axis == Axis::X ? 0 : 1] = steps;
        return net;
    }
};

TEST_P(MoveCommandTest, MovesTheSelectedSpeakerByItsOwnStepAndSendsHeightZero) {
    const MoveCase& c = GetParam();
    run();
    expectPositions(moved(c.direction), c.name);
    const D3DVECTOR& p = form.speaker(c.moved).Pos;
    EXPECT_THAT(fake.log.entries,
                ElementsAre(control(c.moved).name() + ".SetPosition(" + fakes::num(p.x) + ",0," +
                            fakes::num(p.z) + ",0)"))
        << c.name;
}

TEST_P(MoveCommandTest, ItsOwnLockBlocksItAndNothingIsSent) {
    const MoveCase& c = GetParam();
    form.speaker(c.moved).locked(c.axis) = true;
    run();
    expectPositions({}, c.name);
    EXPECT_THAT(fake.log.entries, IsEmpty()) << c.name;
}

TEST_P(MoveCommandTest, TheOtherAxisLockAndOtherSpeakersLocksDoNotBlockIt) {
    const MoveCase& c = GetParam();
    for (Speaker which : speakerOrder) {
        for (Axis axis : {Axis::X, Axis::Z}) {
            form.speaker(which).locked(axis) = !(which == c.moved && axis == c.axis);
        }
    }
    run();
    expectPositions(moved(c.direction), c.name);
    EXPECT_EQ(fake.log.entries.size(), 1U) << fake.log.dump();
}

INSTANTIATE_TEST_SUITE_P(Moves, MoveCommandTest, ::testing::ValuesIn(moveCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(PointerTest, LeftThenRightReturnsToTheSameCoordinate) {
    form.MoveLeft();
    form.MoveRight();
    EXPECT_FLOAT_EQ(form.FrontLeftPos.x, before(FL).x);
}

// ---------------------------------------------------------------------------
// The records.

constexpr std::int32_t kDown = 0x80;
constexpr std::int32_t kUp = 0;

struct MouseCase {
    const char* name;
    bool frontSelected;
    bool leftSelected;
    std::vector<DIDEVICEOBJECTDATA> records;
    // Net steps per speaker, {x, z}, in the speakers' order.
    std::array<std::array<int, 2>, 4> steps;
    int lockCommands;
    bool leftSelectedAfter;
};

void PrintTo(const MouseCase& c, std::ostream* os) {
    *os << c.name << " (" << c.records.size() << " records)";
}

DIDEVICEOBJECTDATA x(std::int32_t data) { return mouseRecord(DIMOFS_X, data); }
DIDEVICEOBJECTDATA y(std::int32_t data) { return mouseRecord(DIMOFS_Y, data); }
DIDEVICEOBJECTDATA left(std::int32_t state) { return mouseRecord(DIMOFS_BUTTON0, state); }
DIDEVICEOBJECTDATA right(std::int32_t state) { return mouseRecord(DIMOFS_BUTTON1, state); }

const std::vector<MouseCase> mouseCases = {
    {"XOneMovesRightOneStep", true, true, {x(1)}, {{{1, 0}}}, 0, true},
    {"XFiftyMovesRightOneStep", true, true, {x(50)}, {{{1, 0}}}, 0, true},
    {"XMinusOneMovesLeft", true, true, {x(-1)}, {{{-1, 0}}}, 0, true},
    {"XMinusFiftyMovesLeftOneStep", true, true, {x(-50)}, {{{-1, 0}}}, 0, true},
    {"XZeroDoesNothing", true, true, {x(0)}, {}, 0, true},
    {"YThreeDoesNothing", true, true, {y(3)}, {}, 0, true},
    {"YMinusThreeDoesNothing", true, true, {y(-3)}, {}, 0, true},
    {"YFourMovesBack", true, true, {y(4)}, {{{0, -1}}}, 0, true},
    {"YMinusFourMovesForward", true, true, {y(-4)}, {{{0, 1}}}, 0, true},
    {"YFarMovesOneStep", true, true, {y(400)}, {{{0, -1}}}, 0, true},
    {"RightSelectedMovesFrontRight", true, false, {x(1), y(-4)}, {{{0, 0}, {1, 1}}}, 0, false},
    {"RearPairLeftMovesRearLeft", false, true, {x(-1)}, {{{0, 0}, {0, 0}, {-1, 0}}}, 0, true},
    {"RearPairRightMovesRearRight", false, false, {y(4)}, {{{0, 0}, {0, 0}, {0, 0}, {0, -1}}}, 0,
     false},
    {"EveryRecordOneCommand", true, true, {x(1), x(1), x(-1), x(1), y(5)}, {{{2, -1}}}, 0, true},
    {"LeftButtonWithLeftSelectedLocks", true, true, {left(kDown)}, {}, 1, true},
    {"LeftButtonWithRightSelectedSelectsLeft", true, false, {left(kDown)}, {}, 0, true},
    {"RightButtonWithLeftSelectedSelectsRight", true, true, {right(kDown)}, {}, 0, false},
    {"RightButtonWithRightSelectedLocks", true, false, {right(kDown)}, {}, 1, false},
    {"LeftUpRecordLocksLikeADown", true, true, {left(kUp)}, {}, 1, true},
    {"RightUpRecordSelectsLikeADown", true, true, {right(kUp)}, {}, 0, false},
    {"LeftUpRecordSelectsLikeADown", true, false, {left(kUp)}, {}, 0, true},
    {"RightUpRecordLocksLikeADown", true, false, {right(kUp)}, {}, 1, false},
    {"LeftClickOnRightSelectsThenLocks", true, false, {left(kDown), left(kUp)}, {}, 1, true},
    {"LeftClickOnLeftLocksTwice", true, true, {left(kDown), left(kUp)}, {}, 2, true},
    {"RightClickOnRightLocksTwice", true, false, {right(kDown), right(kUp)}, {}, 2, false},
    {"RightClickOnLeftSelectsThenLocks", true, true, {right(kDown), right(kUp)}, {}, 1, false},
    {"LeftButtonThenMovesMoveTheLeftSpeaker", true, false, {left(kDown), x(2), x(3)}, {{{2, 0}}}, 0,
     true},
    {"RightButtonThenMovesMoveTheRightSpeaker", false, true, {x(1), right(kDown), x(1)},
     {{{0, 0}, {0, 0}, {1, 0}, {1, 0}}}, 0, false},
    {"WheelDoesNothing", true, true, {mouseRecord(DIMOFS_Z, 120), mouseRecord(DIMOFS_Z, -120)}, {},
     0, true},
    {"ButtonTwoDoesNothing", true, true,
     {mouseRecord(DIMOFS_BUTTON2, kDown), mouseRecord(DIMOFS_BUTTON2, kUp)}, {}, 0, true},
    {"ButtonThreeDoesNothing", false, false, {mouseRecord(DIMOFS_BUTTON3, kDown)}, {}, 0, false},
    {"UnknownOffsetDoesNothing", true, true, {mouseRecord(16, 5), mouseRecord(1, 5)}, {}, 0, true},
    {"ReadOfNothing", true, true, {}, {}, 0, true},
};

class MouseRecordTest : public PointerTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(MouseRecordTest, HandlesEachRecordInOrder) {
    const MouseCase& c = GetParam();
    form.FrontSelected = c.frontSelected;
    form.LeftSelected = c.leftSelected;
    deliver(c.records);
    EXPECT_EQ(reads(), 1) << fake.log.dump();
    expectPositions(c.steps, c.name);
    EXPECT_EQ(form.LockdownCount, static_cast<float>(c.lockCommands)) << c.name;
    EXPECT_EQ(form.LeftSelected, c.leftSelectedAfter) << c.name;
    EXPECT_EQ(form.FrontSelected, c.frontSelected) << "the mouse never changes the pair";
    EXPECT_TRUE(fake.mouse->records.empty());
    EXPECT_THAT(fake.runtime.errors, IsEmpty());
    int moves = 0;
    for (const auto& net : c.steps) {
        moves += (net[0] != 0 ? 1 : 0) + (net[1] != 0 ? 1 : 0);
    }
    if (moves == 0) {
        EXPECT_EQ(fake.log.find(".SetPosition("), -1) << fake.log.dump();
    }
}

INSTANTIATE_TEST_SUITE_P(Records, MouseRecordTest, ::testing::ValuesIn(mouseCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(PointerTest, AClickLocksAndAnnouncesLikeSpace) {
    form.FrontLeftPos.x = 0.0F;
    deliver({left(kDown), left(kUp)});
    EXPECT_TRUE(form.FrontLeftXLocked);
    EXPECT_THAT(fake.voice->spoken, ElementsAre("FrontLeft  x axis locked."));
    EXPECT_EQ(form.Score, 100.0F - 2.0F - 3.0F);  // (1 + 1), then (1 + 2)
}

TEST_F(PointerTest, OneReadTakesAtMostAHundredRecords) {
    std::vector<DIDEVICEOBJECTDATA> many(150, x(1));
    deliver(many);
    EXPECT_THAT(fake.log.matching("Mouse.GetDeviceData("),
                ElementsAre("Mouse.GetDeviceData(100,0)"));
    EXPECT_EQ(fake.mouse->records.size(), 50U);
    EXPECT_EQ(control(FL).positionsSent, 2 + 100);
    EXPECT_EQ(form.FrontLeftPos.x, steppedBy(FL, Axis::X, 100));
    // The next notification reads the rest.
    deliver({});
    EXPECT_TRUE(fake.mouse->records.empty());
    EXPECT_EQ(form.FrontLeftPos.x, steppedBy(FL, Axis::X, 150));
}

TEST_F(PointerTest, AFailingReadIsReportedHandlesNothingAndTheGameGoesOn) {
    fake.mouse->failReads = true;
    deliver({x(1), left(kDown)});
    expectPositions({}, "after the failed read");
    EXPECT_EQ(form.LockdownCount, 0.0F);
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0], "Mouse input failed: the mouse was taken away");
    EXPECT_TRUE(fake.voice->spoken.empty()) << "a mouse error is not spoken";
    EXPECT_EQ(fake.log.find("runtime.endProgram"), -1) << fake.log.dump();

    // The keyboard still plays, and so does the mouse once it reads again.
    EXPECT_EQ(key(keys::letter('F')), -1);
    EXPECT_EQ(form.FrontLeftPos.x, steppedBy(FL, Axis::X, 1));
    fake.mouse->failReads = false;
    fake.mouse->records.clear();
    deliver({x(1)});
    EXPECT_EQ(form.FrontLeftPos.x, steppedBy(FL, Axis::X, 2));
    EXPECT_EQ(form.LockdownCount, 0.0F);
}

TEST_F(PointerTest, ACommandThatFailsDropsTheRestOfTheRead) {
    form.FrontLeftPos.x = -0.5F;  // one step right puts it in its window
    fake.voice->failOn = "FrontLeft  x axis locked.";
    deliver({x(1), left(kDown), x(1), x(1)});
    const float inWindow = single(-0.5 + wide(form.FrontLeftStep));
    EXPECT_EQ(form.FrontLeftPos.x, inWindow) << "the records after the failure are dropped";
    EXPECT_FALSE(form.FrontLeftXLocked);
    EXPECT_EQ(form.LockdownCount, 1.0F);
    EXPECT_EQ(form.Score, 100.0F);
    EXPECT_TRUE(fake.mouse->records.empty()) << "dropped, not kept for the next read";
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0], "Mouse input failed: the voice failed");
    // The game goes on.
    fake.voice->failOn.clear();
    deliver({x(1)});
    EXPECT_FLOAT_EQ(form.FrontLeftPos.x, inWindow + form.FrontLeftStep);
}

TEST_F(PointerTest, AFailingMoveIsReportedAndTheGameGoesOn) {
    fake.audio.failingCall = control(FL).name() + ".SetPosition(";
    deliver({x(1), x(1)});
    EXPECT_EQ(form.FrontLeftPos.x, steppedBy(FL, Axis::X, 1)) << "stored before the call failed";
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_THAT(fake.runtime.errors[0], ::testing::StartsWith("Mouse input failed: "));
    fake.audio.failingCall.clear();
    EXPECT_EQ(key(keys::Space), -1);
    EXPECT_EQ(form.LockdownCount, 1.0F);
}

TEST_F(PointerTest, AMoveBeyondTheRangeOfASingleIsReportedAndTheSpeakerStays) {
    form.FrontLeftPos.z = -3.0e38F;
    form.FrontLeftStep = 3.0e38F;
    deliver({y(10), x(1)});
    EXPECT_EQ(form.FrontLeftPos.z, -3.0e38F);
    EXPECT_EQ(form.FrontLeftPos.x, before(FL).x) << "the record after the failure is dropped";
    EXPECT_EQ(fake.log.find(".SetPosition("), -1) << fake.log.dump();
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0],
              "Mouse input failed: Moving the front left speaker left the range of a number.");
}

TEST_F(PointerTest, MouseRecordsWaitingForAKeysPumpActBeforeTheKey) {
    form.LeftSelected = true;
    fake.queueMouse({right(kDown)});  // selects the right speaker
    ASSERT_EQ(key(keys::letter('F')), -1);
    // The keyboard moves the left speaker of the pair whatever the mouse chose.
    EXPECT_FALSE(form.LeftSelected);
    EXPECT_EQ(form.FrontLeftPos.x, steppedBy(FL, Axis::X, 1));
    EXPECT_EQ(form.FrontRightPos.x, before(FR).x);
}

}  // namespace
}  // namespace earshot::testing
