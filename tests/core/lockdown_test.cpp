// The lock command: its windows, its announcements and what it costs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "input/key_codes.h"
#include "tests/core/game_fixture.h"

namespace earshot::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The game after its start, with every speaker parked where no axis lies in
// its window, so that a test puts in a window only what it means to.
class LockdownTest : public GameTest {
protected:
    void SetUp() override {
        loadAndClearLog();
        for (Speaker which : speakerOrder) {
            SpeakerRefs s = form.speaker(which);
            s.Pos.x = 3.0F;
            s.Pos.z = 3.0F;
        }
    }

    const std::vector<std::string>& spoken() const { return fake.voice->spoken; }

    int locksSet() {
        int count = 0;
        for (Speaker which : speakerOrder) {
            SpeakerRefs s = form.speaker(which);
            count += (s.XLocked ? 1 : 0) + (s.ZLocked ? 1 : 0);
        }
        return count;
    }
};

// The eight windows, in the order they are examined, with what the player
// hears when one locks. The bounds are the Singles nearest to the decimal
// bounds.
struct Window {
    const char* name;
    Speaker which;
    Axis axis;
    float lower;
    float upper;
    const char* announcement;
};

const std::vector<Window> windows = {
    {"FrontLeftX", Speaker::FrontLeft, Axis::X, -1.4F, 0.2F, "FrontLeft  x axis locked."},
    {"FrontRightX", Speaker::FrontRight, Axis::X, 0.2F, 1.4F, "FrontRight  X axis locked."},
    {"FrontLeftZ", Speaker::FrontLeft, Axis::Z, 0.2F, 1.4F, "FrontLeft  y axis locked."},
    {"FrontRightZ", Speaker::FrontRight, Axis::Z, 0.2F, 1.4F, "FrontRight  y axis locked."},
    {"RearLeftX", Speaker::RearLeft, Axis::X, -1.4F, 0.2F, "rearLeft  x axis locked."},
    {"RearRightX", Speaker::RearRight, Axis::X, 0.2F, 1.4F, "rearRight  X axis locked."},
    {"RearLeftZ", Speaker::RearLeft, Axis::Z, -1.4F, -0.2F, "RearLeft  y axis locked."},
    {"RearRightZ", Speaker::RearRight, Axis::Z, -1.4F, 0.2F, "RearRight  y axis locked."},
};

struct WindowCase {
    std::string name;
    Window window;
    float value;
    bool locks;
};

void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.name << " (" << c.window.name << " = " << std::hexfloat << c.value
        << std::defaultfloat << ", should " << (c.locks ? "" : "not ") << "lock)";
}

// Every bound, exactly and one Single to either side, plus the points where
// the windows are not mirror images of one another.
std::vector<WindowCase> windowCases() {
    std::vector<WindowCase> cases;
    for (const Window& w : windows) {
        const std::string n = w.name;
        cases.push_back({n + "_AtLower", w, w.lower, false});
        cases.push_back({n + "_JustAboveLower", w, std::nextafter(w.lower, kInfinity), true});
        cases.push_back({n + "_JustBelowLower", w, std::nextafter(w.lower, -kInfinity), false});
        cases.push_back({n + "_AtUpper", w, w.upper, false});
        cases.push_back({n + "_JustBelowUpper", w, std::nextafter(w.upper, -kInfinity), true});
        cases.push_back({n + "_JustAboveUpper", w, std::nextafter(w.upper, kInfinity), false});
        cases.push_back({n + "_Middle", w, (w.lower + w.upper) / 2.0F, true});
    }
    cases.push_back({"FrontLeftX_PointOneLocks", windows[0], 0.1F, true});
    cases.push_back({"RearLeftZ_MinusPointOneDoesNot", windows[6], -0.1F, false});
    cases.push_back({"RearRightZ_PointOneLocks", windows[7], 0.1F, true});
    cases.push_back({"RearLeftX_ZeroLocks", windows[4], 0.0F, true});
    cases.push_back({"FrontRightX_ZeroDoesNot", windows[1], 0.0F, false});
    cases.push_back({"RearLeftZ_ZeroDoesNot", windows[6], 0.0F, false});
    return cases;
}

class LockWindowTest : public LockdownTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(LockWindowTest, LocksExactlyInsideTheOpenWindow) {
    const WindowCase& c = GetParam();
    SpeakerRefs s = form.speaker(c.window.which);
    s.coordinate(c.window.axis) = c.value;

    form.Lockdown();

    EXPECT_EQ(s.locked(c.window.axis), c.locks)
        << c.window.name << " at " << std::hexfloat << c.value << " (" << std::defaultfloat
        << c.value << ") in (" << c.window.lower << ", " << c.window.upper << ")";
    EXPECT_EQ(locksSet(), c.locks ? 1 : 0) << "only the axis under test may lock";
    if (c.locks) {
        EXPECT_THAT(spoken(), ElementsAre(c.window.announcement));
        EXPECT_THAT(fake.runtime.captions, ElementsAre(c.window.announcement));
    } else {
        EXPECT_THAT(spoken(), IsEmpty());
    }
    EXPECT_EQ(form.LockCount, c.locks ? 1.0F : 0.0F);
    EXPECT_EQ(form.LockdownCount, 1.0F);
    EXPECT_EQ(form.Score, c.locks ? 98.0F : 99.0F);
}

INSTANTIATE_TEST_SUITE_P(Bounds, LockWindowTest, ::testing::ValuesIn(windowCases()),
                         [](const auto& p) { return p.param.name; });

TEST_F(LockdownTest, TwoLocksThenOneScore97Then92) {
    form.FrontLeftPos.x = 0.0F;
    form.FrontRightPos.x = 1.0F;
    form.Lockdown();
    EXPECT_EQ(form.Score, 97.0F);
    EXPECT_EQ(form.LockCount, 2.0F);
    EXPECT_EQ(form.LockdownCount, 1.0F);

    form.FrontLeftPos.z = 1.0F;
    form.Lockdown();
    EXPECT_EQ(form.Score, 92.0F);
    EXPECT_EQ(form.LockCount, 3.0F);
    EXPECT_EQ(form.LockdownCount, 2.0F);
    EXPECT_THAT(spoken(), ElementsAre("FrontLeft  x axis locked.", "FrontRight  X axis locked.",
                                      "FrontLeft  y axis locked."));
}

TEST_F(LockdownTest, ACommandThatLocksNothingStillCostsMoreEachTime) {
    form.Lockdown();
    EXPECT_EQ(form.Score, 99.0F);
    form.Lockdown();
    EXPECT_EQ(form.Score, 97.0F);
    form.Lockdown();
    EXPECT_EQ(form.Score, 94.0F);
    EXPECT_EQ(form.LockdownCount, 3.0F);
    EXPECT_EQ(form.LockCount, 0.0F);
    EXPECT_EQ(fake.log.find("Voice.Speak"), -1) << fake.log.dump();
    EXPECT_EQ(locksSet(), 0);
}

TEST_F(LockdownTest, AnAxisAlreadyLockedIsNeitherAnnouncedNorCounted) {
    form.FrontLeftPos.x = 0.0F;
    form.FrontLeftXLocked = true;  // locked, whatever its coordinate
    form.RearRightPos.z = 3.0F;
    form.RearRightZLocked = true;
    form.Lockdown();
    EXPECT_THAT(spoken(), IsEmpty());
    EXPECT_EQ(form.LockCount, 0.0F);
    EXPECT_EQ(form.Score, 99.0F);

    // Locked by a command, then asked again.
    form.RearLeftPos.x = -1.0F;
    form.Lockdown();
    form.Lockdown();
    EXPECT_THAT(spoken(), ElementsAre("rearLeft  x axis locked."));
    EXPECT_EQ(form.LockCount, 1.0F);
    EXPECT_EQ(form.LockdownCount, 3.0F);
    EXPECT_EQ(form.Score, 99.0F - (1.0F + 2.0F) - (1.0F + 3.0F));
}

TEST_F(LockdownTest, AllEightInOneCommandSpeakInTableOrderAndCountBeforeTheCharge) {
    form.FrontLeftPos.x = 0.0F;
    form.FrontRightPos.x = 1.0F;
    form.FrontLeftPos.z = 1.0F;
    form.FrontRightPos.z = 1.0F;
    form.RearLeftPos.x = 0.0F;
    form.RearRightPos.x = 1.0F;
    form.RearLeftPos.z = -1.0F;
    form.RearRightPos.z = 0.0F;

    // While each sentence is spoken: the axes before it are counted, its own
    // flag is not set yet, and the score is not charged yet.
    struct Moment {
        std::string text;
        float lockCount;
        float score;
        int locks;
    };
    std::vector<Moment> moments;
    fake.voice->whileSpeaking = [&](const std::string& text) {
        moments.push_back({text, form.LockCount, form.Score, locksSet()});
    };

    form.Lockdown();

    std::vector<std::string> order;
    for (const Window& w : windows) {
        order.emplace_back(w.announcement);
    }
    EXPECT_THAT(spoken(), ElementsAreArray(order));
    ASSERT_EQ(moments.size(), 8U);
    for (std::size_t i = 0; i < moments.size(); ++i) {
        SCOPED_TRACE(moments[i].text);
        EXPECT_EQ(moments[i].lockCount, static_cast<float>(i));
        EXPECT_EQ(moments[i].locks, static_cast<int>(i));
        EXPECT_EQ(moments[i].score, 100.0F);
    }
    EXPECT_EQ(locksSet(), 8);
    EXPECT_EQ(form.LockCount, 8.0F);
    EXPECT_EQ(form.Score, 91.0F);  // 100 - (8 + 1)

    // Before the next tick levels up, further commands say nothing and cost.
    fake.voice->whileSpeaking = nullptr;
    form.Lockdown();
    EXPECT_EQ(spoken().size(), 8U);
    EXPECT_EQ(form.Score, 81.0F);  // 91 - (8 + 2)
}

TEST_F(LockdownTest, TheScoreGoesBelowZeroAndIsSpokenWithItsSign) {
    // The n-th empty command costs n: after 14 of them 100 - 105.
    for (int i = 0; i < 14; ++i) {
        form.Lockdown();
    }
    EXPECT_EQ(form.Score, -5.0F);
    EXPECT_EQ(key(keys::letter('P')), -1);
    EXPECT_THAT(spoken(), ElementsAre("-5", "points."));
}

TEST_F(LockdownTest, WorksTheSameWhileFrozenAndMuted) {
    ASSERT_EQ(key(keys::letter('T')), -1);
    ASSERT_EQ(key(keys::letter('G')), -1);
    fake.voice->spoken.clear();
    form.FrontLeftPos.x = -1.0F;
    form.Lockdown();
    EXPECT_THAT(spoken(), ElementsAre("FrontLeft  x axis locked."));
    EXPECT_TRUE(form.FrontLeftXLocked);
    EXPECT_EQ(form.Score, 98.0F);
}

TEST_F(LockdownTest, AFailingAnnouncementStopsTheCommandBeforeItsAxisAndBeforeTheCharge) {
    form.FrontLeftPos.x = 0.0F;
    form.FrontRightPos.x = 1.0F;
    form.FrontLeftPos.z = 1.0F;
    fake.voice->failOn = "FrontLeft  y axis";
    EXPECT_EQ(key(keys::Space), 1);  // the key handler reports it and ends
    EXPECT_TRUE(form.FrontLeftXLocked);
    EXPECT_TRUE(form.FrontRightXLocked);
    EXPECT_FALSE(form.FrontLeftZLocked);
    EXPECT_EQ(form.LockCount, 2.0F);
    EXPECT_EQ(form.LockdownCount, 1.0F);
    EXPECT_EQ(form.Score, 100.0F);
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0], "Error in the key handler: the voice failed. The game ends.");
}

}  // namespace
}  // namespace earshot::testing
