// The keyboard: the pump first, every key with its condition, the mute
// orders, the move keys with the pair switched and with locks, the score
// text and Escape.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/single.h"
#include "input/key_codes.h"
#include "input/score_text.h"
#include "tests/core/game_fixture.h"

namespace earshot::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class KeyboardTest : public KnownPlacesTest {
protected:
    // The coordinate a move of one step gives, as the game stores it.
    float stepped(Speaker which, Axis axis, int direction) {
        SpeakerRefs s = form.speaker(which);
        const D3DVECTOR& p = before(which);
        const float c = axis == Axis::X ? p.x : p.z;
        return single(wide(c) + direction * wide(s.Step));
    }

    std::string positionEntry(Speaker which, float x, float y, float z) {
        return control(which).name() + ".SetPosition(" + fakes::num(x) + "," + fakes::num(y) + "," +
               fakes::num(z) + ",0)";
    }

    // Every coordinate except the one named is where the set-up put it.
    void expectOthersUnmoved(Speaker moved, Axis axis, bool anyMoved) {
        for (Speaker which : speakerOrder) {
            const D3DVECTOR& p = form.speaker(which).Pos;
            SCOPED_TRACE(speakerName(which));
            if (!(anyMoved && which == moved && axis == Axis::X)) {
                EXPECT_EQ(p.x, before(which).x);
            }
            if (!(anyMoved && which == moved && axis == Axis::Z)) {
                EXPECT_EQ(p.z, before(which).z);
            }
            EXPECT_EQ(p.y, 0.0F);
        }
    }

private:
};

// ---------------------------------------------------------------------------
// Every key with its condition.

// One thing a key does, as it shows in the call log.
struct Effect {
    enum class Kind { Say, Volume, Move } kind;
    std::string text;
    Speaker which = Speaker::FrontLeft;
    int volume = 0;
    Axis axis = Axis::X;
    int direction = 0;
};

Effect says(std::string text) { return {Effect::Kind::Say, std::move(text)}; }
Effect volume(Speaker which, int v) { return {Effect::Kind::Volume, "", which, v}; }
Effect moves(Speaker which, Axis axis, int direction) {
    return {Effect::Kind::Move, "", which, 0, axis, direction};
}

struct KeyCase {
    const char* name;
    std::int16_t code;
    // The condition.
    bool frontSelected = true;
    bool lockedDown = false;
    bool muted = false;  // all four mute flags
    bool wireBusy = false;
    // What follows the pump, in order.
    std::vector<Effect> effects;
    // The toggles afterwards.
    bool frontAfter = true;
    bool lockedDownAfter = false;
    float scoreAfter = 100.0F;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name << " (key " << c.code << ")"; }

const Speaker FL = Speaker::FrontLeft;
const Speaker FR = Speaker::FrontRight;
const Speaker RL = Speaker::RearLeft;
const Speaker RR = Speaker::RearRight;

std::vector<KeyCase> keyCases() {
    using keys::letter;
    std::vector<KeyCase> c;
    c.push_back({"P", letter('P'), true, false, false, false, {says("100"), says("points.")}});
    c.push_back({"G_Mutes", letter('G'), true, false, false, false,
                 {volume(FL, -4000), says("muting front left speaker.")}});
    c.push_back({"G_Unmutes", letter('G'), true, false, true, false,
                 {volume(FL, 0), says("Front Left Mute Off.")}});
    c.push_back({"H_Mutes", letter('H'), true, false, false, false,
                 {says("muting front Right speaker."), volume(FR, -4000)}});
    c.push_back({"H_Unmutes", letter('H'), true, false, true, false,
                 {volume(FR, 0), says("Front Right Mute Off.")}});
    c.push_back({"B_Mutes", letter('B'), true, false, false, false,
                 {says("muting Rear left speaker."), volume(RL, -4000)}});
    c.push_back({"B_Unmutes", letter('B'), true, false, true, false,
                 {volume(RL, 0), says("Rear Left Mute Off.")}});
    c.push_back({"N_Mutes", letter('N'), true, false, false, false,
                 {says("muting Rear Right speaker."), volume(RR, -4000)}});
    c.push_back({"N_Unmutes", letter('N'), true, false, true, false,
                 {volume(RR, 0), says("Rear Right Mute Off.")}});
    {
        KeyCase t{"T_Freezes", letter('T'), true, false, false, false,
                  {says("locking speakers down.")}};
        t.lockedDownAfter = true;
        c.push_back(t);
    }
    {
        KeyCase t{"T_Unfreezes", letter('T'), true, true, false, false,
                  {says("unlocking speakers for movement.")}};
        t.lockedDownAfter = false;
        c.push_back(t);
    }
    c.push_back({"E_Front", letter('E'), true, false, false, false, {moves(FL, Axis::Z, +1)}});
    {
        KeyCase e{"E_Rear", letter('E'), false, false, false, false, {moves(RL, Axis::Z, +1)}};
        e.frontAfter = false;
        c.push_back(e);
    }
    c.push_back({"L_Front", letter('L'), true, false, false, false, {moves(FR, Axis::X, +1)}});
    {
        KeyCase s{"Space", keys::Space, true, false, false, false, {}};
        s.scoreAfter = 99.0F;
        c.push_back(s);
    }
    {
        KeyCase e{"Enter_ToRear", keys::Enter, true, false, false, false,
                  {says("Setting Rear speakers.")}};
        e.frontAfter = false;
        c.push_back(e);
    }
    {
        KeyCase e{"Enter_ToFront", keys::Enter, false, false, false, false,
                  {says("Setting front speakers.")}};
        e.frontAfter = true;
        c.push_back(e);
    }
    c.push_back({"A_WhileAWireTravels", letter('A'), true, false, false, true, {}});
    c.push_back({"Semicolon_WhileAWireTravels", keys::Semicolon, true, false, false, true, {}});
    c.push_back({"Z_WhileAWireTravels", letter('Z'), true, false, false, true, {}});
    c.push_back({"Slash_WhileAWireTravels", keys::Slash, true, false, false, true, {}});
    c.push_back({"Q_NoCommand", letter('Q'), true, false, false, false, {}});
    c.push_back({"F1_SaysTheHelp", keys::F1, true, false, false, false,
                 {says("Steer the four speakers into their places near you and lock them."),
                  says("E, D, S and F move the left speaker of the pair forward, back, left and "
                       "right; I, K, J and L the right one."),
                  says("Enter switches between the front and the rear pair."),
                  says("Space locks what is in place, and costs points."),
                  says("G, H, B and N mute front left, front right, rear left and rear right."),
                  says("T freezes or releases the drift."),
                  says("A, semicolon, Z and slash send the wire to them in the same order."),
                  says("P says the score."), says("Escape quits.")}});
    c.push_back({"F2_NoCommand", 113, true, false, false, false, {}});
    c.push_back({"LowerCaseE_NoCommand", 'e', true, false, false, false, {}});
    c.push_back({"Shift_NoCommand", 16, true, false, false, false, {}});
    return c;
}

struct ShiftState {
    const char* name;
    std::int16_t bits;
};

void PrintTo(const ShiftState& s, std::ostream* os) { *os << s.name << " (" << s.bits << ")"; }

const std::vector<ShiftState> shiftStates = {
    {"Plain", 0}, {"Shift", 1}, {"Ctrl", 2}, {"Alt", 4}, {"ShiftCtrlAlt", 7}};

class KeyTableTest : public KeyboardTest,
                     public ::testing::WithParamInterface<std::tuple<KeyCase, ShiftState>> {};

TEST_P(KeyTableTest, PumpsOnceThenDoesExactlyItsCommand) {
    const KeyCase& c = std::get<0>(GetParam());
    const ShiftState& shift = std::get<1>(GetParam());
    form.FrontSelected = c.frontSelected;
    form.SpeakersLockedDown = c.lockedDown;
    form.WireBusy = c.wireBusy;
    for (Speaker which : speakerOrder) {
        form.speaker(which).Muted = c.muted;
    }

    ASSERT_EQ(key(c.code, shift.bits), -1) << fake.log.dump();

    std::vector<std::string> expected = {"runtime.doEvents()"};
    bool anyMoved = false;
    Effect moved;
    for (const Effect& e : c.effects) {
        switch (e.kind) {
            case Effect::Kind::Say:
                expected.push_back("caption: " + e.text);
                expected.push_back("Voice.Speak(" + e.text + ",0)");
                break;
            case Effect::Kind::Volume:
                expected.push_back(buffer(e.which).name() + ".SetVolume(" +
                                   std::to_string(e.volume) + ")");
                break;
            case Effect::Kind::Move: {
                anyMoved = true;
                moved = e;
                D3DVECTOR p = before(e.which);
                (e.axis == Axis::X ? p.x : p.z) = stepped(e.which, e.axis, e.direction);
                expected.push_back(positionEntry(e.which, p.x, 0.0F, p.z));
                EXPECT_EQ(form.speaker(e.which).Pos.x, p.x) << speakerName(e.which);
                EXPECT_EQ(form.speaker(e.which).Pos.z, p.z) << speakerName(e.which);
                break;
            }
        }
    }
    EXPECT_THAT(fake.log.entries, ElementsAreArray(expected))
        << c.name << " with " << shift.name << "; log:\n"
        << fake.log.dump();
    expectOthersUnmoved(moved.which, moved.axis, anyMoved);

    for (Speaker which : speakerOrder) {
        bool toggled = false;
        for (const Effect& e : c.effects) {
            toggled = toggled || (e.kind == Effect::Kind::Volume && e.which == which);
        }
        EXPECT_EQ(form.speaker(which).Muted, c.muted != toggled) << speakerName(which);
    }
    EXPECT_EQ(form.FrontSelected, c.frontAfter);
    EXPECT_EQ(form.SpeakersLockedDown, c.lockedDownAfter);
    EXPECT_EQ(form.WireBusy, c.wireBusy);
    EXPECT_EQ(form.LeftSelected, true) << "the keyboard never changes the side";
    EXPECT_EQ(form.Score, c.scoreAfter);
    EXPECT_EQ(form.LockdownCount, c.scoreAfter == 100.0F ? 0.0F : 1.0F);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTableTest,
    ::testing::Combine(::testing::ValuesIn(keyCases()), ::testing::ValuesIn(shiftStates)),
    [](const auto& p) {
        return std::string(std::get<0>(p.param).name) + "_" + std::get<1>(p.param).name;
    });

// ---------------------------------------------------------------------------
// The move keys, over both pairs, free and with locks.

struct MoveKeyCase {
    const char* name;
    std::int16_t code;
    bool frontSelected;
    Speaker moved;
    Axis axis;
    int direction;
};

void PrintTo(const MoveKeyCase& c, std::ostream* os) { *os << c.name; }

const std::vector<MoveKeyCase> moveKeyCases = {
    {"E_FrontLeftForward", keys::letter('E'), true, FL, Axis::Z, +1},
    {"I_FrontRightForward", keys::letter('I'), true, FR, Axis::Z, +1},
    {"D_FrontLeftBack", keys::letter('D'), true, FL, Axis::Z, -1},
    {"K_FrontRightBack", keys::letter('K'), true, FR, Axis::Z, -1},
    {"S_FrontLeftLeft", keys::letter('S'), true, FL, Axis::X, -1},
    {"J_FrontRightLeft", keys::letter('J'), true, FR, Axis::X, -1},
    {"F_FrontLeftRight", keys::letter('F'), true, FL, Axis::X, +1},
    {"L_FrontRightRight", keys::letter('L'), true, FR, Axis::X, +1},
    {"E_RearLeftForward", keys::letter('E'), false, RL, Axis::Z, +1},
    {"I_RearRightForward", keys::letter('I'), false, RR, Axis::Z, +1},
    {"D_RearLeftBack", keys::letter('D'), false, RL, Axis::Z, -1},
    {"K_RearRightBack", keys::letter('K'), false, RR, Axis::Z, -1},
    {"S_RearLeftLeft", keys::letter('S'), false, RL, Axis::X, -1},
    {"J_RearRightLeft", keys::letter('J'), false, RR, Axis::X, -1},
    {"F_RearLeftRight", keys::letter('F'), false, RL, Axis::X, +1},
    {"L_RearRightRight", keys::letter('L'), false, RR, Axis::X, +1},
};

class MoveKeyTest : public KeyboardTest, public ::testing::WithParamInterface<MoveKeyCase> {
protected:
    void press() {
        fake.log.clear();
        ASSERT_EQ(key(GetParam().code), -1) << fake.log.dump();
    }
};

TEST_P(MoveKeyTest, MovesItsSpeakerByItsOwnStepAndSendsHeightZero) {
    const MoveKeyCase& c = GetParam();
    form.FrontSelected = c.frontSelected;
    // The speakers' own height is never written; a key move sends it, 0,
    // even right after a tick sent 4.
    press();
    D3DVECTOR p = before(c.moved);
    (c.axis == Axis::X ? p.x : p.z) = stepped(c.moved, c.axis, c.direction);
    EXPECT_EQ(form.speaker(c.moved).Pos.x, p.x);
    EXPECT_EQ(form.speaker(c.moved).Pos.z, p.z);
    EXPECT_THAT(fake.log.matching(".SetPosition("),
                ElementsAre(positionEntry(c.moved, p.x, 0.0F, p.z)))
        << c.name;
    expectOthersUnmoved(c.moved, c.axis, true);
    EXPECT_EQ(control(c.moved).position.y, 0.0F);
}

TEST_P(MoveKeyTest, ItsOwnLockOnThatAxisStopsItSilently) {
    const MoveKeyCase& c = GetParam();
    form.FrontSelected = c.frontSelected;
    form.speaker(c.moved).locked(c.axis) = true;
    press();
    EXPECT_THAT(fake.log.entries, ElementsAre("runtime.doEvents()")) << c.name;
    expectOthersUnmoved(c.moved, c.axis, false);
}

TEST_P(MoveKeyTest, OtherLocksDoNotStopIt) {
    const MoveKeyCase& c = GetParam();
    form.FrontSelected = c.frontSelected;
    // Every lock but the one of this speaker and axis, and the drift frozen.
    for (Speaker which : speakerOrder) {
        for (Axis axis : {Axis::X, Axis::Z}) {
            form.speaker(which).locked(axis) = !(which == c.moved && axis == c.axis);
        }
    }
    form.SpeakersLockedDown = true;
    press();
    EXPECT_EQ(form.speaker(c.moved).coordinate(c.axis), stepped(c.moved, c.axis, c.direction))
        << c.name;
    EXPECT_EQ(fake.log.matching(".SetPosition(").size(), 1U) << fake.log.dump();
    expectOthersUnmoved(c.moved, c.axis, true);
}

INSTANTIATE_TEST_SUITE_P(MoveKeys, MoveKeyTest, ::testing::ValuesIn(moveKeyCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(KeyboardTest, EachAutoRepeatedKeyDownMovesOneStep) {
    const int pumpsBefore = fake.runtime.pumps;
    float z = form.FrontLeftPos.z;
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(key(keys::letter('E')), -1);
        z = single(wide(z) + wide(form.FrontLeftStep));
        EXPECT_EQ(form.FrontLeftPos.z, z) << "after key-down " << i + 1;
    }
    EXPECT_EQ(control(FL).positionsSent, 5 + 2);  // two placements at the start
    EXPECT_EQ(fake.runtime.pumps - pumpsBefore, 5);
}

TEST_F(KeyboardTest, EnterToTheRearPairThenEMovesRearLeft) {
    ASSERT_EQ(key(keys::Enter), -1);
    EXPECT_THAT(fake.voice->spoken, ElementsAre("Setting Rear speakers."));
    ASSERT_EQ(key(keys::letter('E')), -1);
    EXPECT_EQ(form.RearLeftPos.z, stepped(RL, Axis::Z, +1));
    EXPECT_EQ(form.FrontLeftPos.z, before(FL).z);
    ASSERT_EQ(key(keys::Enter), -1);
    ASSERT_EQ(key(keys::letter('E')), -1);
    EXPECT_EQ(form.FrontLeftPos.z, stepped(FL, Axis::Z, +1));
    EXPECT_THAT(fake.voice->spoken,
                ElementsAre("Setting Rear speakers.", "Setting front speakers."));
}

// ---------------------------------------------------------------------------
// The pump comes before the key's own command.

TEST_F(KeyboardTest, TheOnePumpRunsWaitingEventsBeforeTheKeyActs) {
    // An Enter that was waiting switches the pair before E reads it.
    const int pumpsBefore = fake.runtime.pumps;
    fake.runtime.pending.push_back([this] { form.onKeyDown(keys::Enter, 0); });
    ASSERT_EQ(key(keys::letter('E')), -1);
    EXPECT_EQ(form.RearLeftPos.z, stepped(RL, Axis::Z, +1));
    EXPECT_EQ(form.FrontLeftPos.z, before(FL).z);
    EXPECT_EQ(fake.log.entries.front(), "runtime.doEvents()");
    // The outer key's pump, then the inner key's own pump, then its speech,
    // then the outer move.
    const int speech = fake.log.find("Voice.Speak(Setting Rear speakers.,0)");
    const int move = fake.log.find(control(RL).name() + ".SetPosition(");
    ASSERT_GE(speech, 0) << fake.log.dump();
    EXPECT_LT(speech, move) << fake.log.dump();
    EXPECT_EQ(fake.runtime.pumps - pumpsBefore, 2);
}

TEST_F(KeyboardTest, AKeyWithNoCommandOnlyPumps) {
    // A letter without a command, a key without a code, a digit, an arrow,
    // a function key.
    for (const std::int16_t code : {keys::letter('W'), keys::NoCode, keys::digit(5), keys::Down,
                                    keys::function(12)}) {
        fake.log.clear();
        fake.runtime.pending.push_back([this] { fake.log.add("waiting event"); });
        ASSERT_EQ(key(code), -1) << "key code " << code;
        EXPECT_THAT(fake.log.entries, ElementsAre("runtime.doEvents()", "waiting event"))
            << "key code " << code;
    }
}

// ---------------------------------------------------------------------------
// The mute orders as the player hears them: the volume while the message is
// spoken.

struct MuteCase {
    const char* name;
    std::int16_t code;
    Speaker which;
    const char* muting;
    const char* unmuting;
    int volumeWhileMuting;  // G is already quiet, the others still loud
};

void PrintTo(const MuteCase& c, std::ostream* os) { *os << c.name; }

const std::vector<MuteCase> muteCases = {
    {"G", keys::letter('G'), FL, "muting front left speaker.", "Front Left Mute Off.", -4000},
    {"H", keys::letter('H'), FR, "muting front Right speaker.", "Front Right Mute Off.", 0},
    {"B", keys::letter('B'), RL, "muting Rear left speaker.", "Rear Left Mute Off.", 0},
    {"N", keys::letter('N'), RR, "muting Rear Right speaker.", "Rear Right Mute Off.", 0},
};

class MuteKeyTest : public KeyboardTest, public ::testing::WithParamInterface<MuteCase> {
protected:
    struct Heard {
        std::string text;
        int volume;
    };
    std::vector<Heard> heard;

    void listen() {
        fake.voice->whileSpeaking = [this](const std::string& text) {
            heard.push_back({text, buffer(GetParam().which).volume});
        };
    }
};

TEST_P(MuteKeyTest, PressedTwiceMutesThenUnmutesInItsOrder) {
    const MuteCase& c = GetParam();
    listen();
    ASSERT_EQ(key(c.code), -1);
    EXPECT_TRUE(form.speaker(c.which).Muted);
    EXPECT_EQ(buffer(c.which).volume, -4000);
    ASSERT_EQ(key(c.code), -1);
    EXPECT_FALSE(form.speaker(c.which).Muted);
    EXPECT_EQ(buffer(c.which).volume, 0);
    ASSERT_EQ(heard.size(), 2U);
    EXPECT_EQ(heard[0].text, c.muting);
    EXPECT_EQ(heard[0].volume, c.volumeWhileMuting) << c.name << " muting";
    EXPECT_EQ(heard[1].text, c.unmuting);
    EXPECT_EQ(heard[1].volume, 0) << c.name << " unmuting restores the volume first";
    // No other speaker was touched.
    for (Speaker other : speakerOrder) {
        if (other != c.which) {
            EXPECT_FALSE(form.speaker(other).Muted) << speakerName(other);
            EXPECT_EQ(fake.log.find(buffer(other).name() + ".SetVolume"), -1) << fake.log.dump();
        }
    }
}

TEST_P(MuteKeyTest, TheFlagSurvivesALevelUpAndTheNextPressUnmutesTheNewSound) {
    const MuteCase& c = GetParam();
    ASSERT_EQ(key(c.code), -1);
    const std::string oldSound = buffer(c.which).name();
    form.LevelUp();
    ASSERT_NE(buffer(c.which).name(), oldSound) << "the level up loads new sounds";
    EXPECT_EQ(buffer(c.which).volume, 0) << "the new sound plays at full level";
    EXPECT_TRUE(form.speaker(c.which).Muted);

    fake.log.clear();
    fake.voice->spoken.clear();
    ASSERT_EQ(key(c.code), -1);
    EXPECT_THAT(fake.log.entries,
                ElementsAre("runtime.doEvents()", buffer(c.which).name() + ".SetVolume(0)",
                            std::string("caption: ") + c.unmuting,
                            std::string("Voice.Speak(") + c.unmuting + ",0)"));
    EXPECT_FALSE(form.speaker(c.which).Muted);
}

INSTANTIATE_TEST_SUITE_P(MuteKeys, MuteKeyTest, ::testing::ValuesIn(muteCases),
                         [](const auto& p) { return std::string(p.param.name); });

// ---------------------------------------------------------------------------
// The score as it is spoken.

TEST_F(KeyboardTest, PSpeaksTheScoreThenPointsAsTwoUtterances) {
    ASSERT_EQ(key(keys::letter('P'), 1), -1);  // Shift+P like P
    form.Score = -12.0F;
    ASSERT_EQ(key(keys::letter('P')), -1);
    EXPECT_THAT(fake.voice->spoken, ElementsAre("100", "points.", "-12", "points."));
    EXPECT_THAT(fake.runtime.captions, ElementsAre("100", "points.", "-12", "points."));
}

struct ScoreTextCase {
    const char* name;
    float score;
    const char* text;
};

void PrintTo(const ScoreTextCase& c, std::ostream* os) {
    *os << c.name << " (" << c.score << " -> \"" << c.text << "\")";
}

class ScoreTextTest : public ::testing::TestWithParam<ScoreTextCase> {};

TEST_P(ScoreTextTest, IsTheStandardTextOfTheSingle) {
    const ScoreTextCase& c = GetParam();
    EXPECT_EQ(scoreText(c.score), c.text) << "score " << c.score;
}

INSTANTIATE_TEST_SUITE_P(
    Scores, ScoreTextTest,
    ::testing::Values(ScoreTextCase{"Start", 100.0F, "100"},
                      ScoreTextCase{"MinusTwelve", -12.0F, "-12"},
                      ScoreTextCase{"Zero", 0.0F, "0"},
                      ScoreTextCase{"NegativeZero", -0.0F, "0"},
                      ScoreTextCase{"One", 1.0F, "1"},
                      ScoreTextCase{"Ninety", 90.0F, "90"},
                      ScoreTextCase{"SevenDigits", 1234567.0F, "1234567"},
                      ScoreTextCase{"NegativeSevenDigits", -9999999.0F, "-9999999"},
                      ScoreTextCase{"EightDigitsRoundToSeven", 12345678.0F, "1.234568E+07"},
                      ScoreTextCase{"TenMillion", 10000000.0F, "1E+07"},
                      ScoreTextCase{"Half", 0.5F, "0.5"},
                      ScoreTextCase{"NegativeQuarter", -0.25F, "-0.25"},
                      ScoreTextCase{"NoTrailingZeros", 2.5F, "2.5"},
                      ScoreTextCase{"SevenSignificant", 1.1F, "1.1"},
                      ScoreTextCase{"Small", 0.0001F, "0.0001"}),
    [](const auto& p) { return std::string(p.param.name); });

// ---------------------------------------------------------------------------
// Escape and failures.

TEST_F(KeyboardTest, EscapeEndsTheProgramWithZero) {
    EXPECT_EQ(key(keys::Escape), 0);
    EXPECT_EQ(fake.log.entries.back(), "runtime.endProgram(0)");
    EXPECT_THAT(fake.runtime.errors, IsEmpty());
}

TEST_F(KeyboardTest, EscapeWaitingInThePumpEndsTheProgramBeforeTheKeyActs) {
    fake.runtime.pending.push_back([this] { form.onKeyDown(keys::Escape, 0); });
    EXPECT_EQ(key(keys::letter('P')), 0);
    EXPECT_THAT(fake.voice->spoken, IsEmpty());
    EXPECT_EQ(fake.log.entries.back(), "runtime.endProgram(0)");
}

TEST_F(KeyboardTest, AFailingMoveIsReportedAndEndsTheProgramWithOne) {
    fake.audio.failingCall = control(FL).name() + ".SetPosition(";
    EXPECT_EQ(key(keys::letter('F')), 1);
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_THAT(fake.runtime.errors[0], ::testing::StartsWith("Error in the key handler: "));
    EXPECT_THAT(fake.runtime.errors[0], ::testing::EndsWith(" The game ends."));
    // The coordinate was stored before the call failed.
    EXPECT_EQ(form.FrontLeftPos.x, stepped(FL, Axis::X, +1));
}

TEST_F(KeyboardTest, AMoveBeyondTheRangeOfASingleIsAnErrorAndTheSpeakerStays) {
    form.FrontLeftPos.x = 3.0e38F;
    form.FrontLeftStep = 3.0e38F;
    EXPECT_EQ(key(keys::letter('F')), 1);
    EXPECT_EQ(form.FrontLeftPos.x, 3.0e38F);
    EXPECT_EQ(fake.log.find(".SetPosition("), -1) << fake.log.dump();
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0],
              "Error in the key handler: Moving the front left speaker left the range of a "
              "number. The game ends.");
}

// Which flag a failing volume leaves behind shows the order of each branch:
// front left clears or sets its flag first, the others restore the volume
// before they clear it.
struct MuteFailureCase {
    const char* name;
    std::int16_t code;
    Speaker which;
    bool mutedBefore;
    bool mutedAfterTheFailure;
    bool spokeFirst;
};

void PrintTo(const MuteFailureCase& c, std::ostream* os) { *os << c.name; }

class MuteFailureTest : public KeyboardTest,
                        public ::testing::WithParamInterface<MuteFailureCase> {};

TEST_P(MuteFailureTest, AFailingVolumeEndsTheProgramWithTheFlagAsItsOrderLeftIt) {
    const MuteFailureCase& c = GetParam();
    form.speaker(c.which).Muted = c.mutedBefore;
    fake.audio.failingCall = buffer(c.which).name() + ".SetVolume(";
    EXPECT_EQ(key(c.code), 1);
    EXPECT_EQ(form.speaker(c.which).Muted, c.mutedAfterTheFailure) << c.name;
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    // Only the error report is spoken, unless the message came before the volume.
    EXPECT_EQ(fake.voice->spoken.size(), c.spokeFirst ? 2U : 1U) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    MuteKeys, MuteFailureTest,
    ::testing::Values(MuteFailureCase{"G_Mute", keys::letter('G'), FL, false, true, false},
                      MuteFailureCase{"G_Unmute", keys::letter('G'), FL, true, false, false},
                      MuteFailureCase{"H_Mute", keys::letter('H'), FR, false, true, true},
                      MuteFailureCase{"H_Unmute", keys::letter('H'), FR, true, true, false},
                      MuteFailureCase{"B_Unmute", keys::letter('B'), RL, true, true, false},
                      MuteFailureCase{"N_Mute", keys::letter('N'), RR, false, true, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(KeyboardTest, AFailingVolumeIsReportedAndEndsTheProgramWithOne) {
    fake.audio.failingCall = buffer(FR).name() + ".SetVolume(";
    EXPECT_EQ(key(keys::letter('H')), 1);
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    // H speaks before it lowers the volume.
    EXPECT_EQ(fake.voice->spoken.front(), "muting front Right speaker.");
}

}  // namespace
}  // namespace earshot::testing
