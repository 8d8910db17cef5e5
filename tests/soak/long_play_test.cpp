// Long play on the fake platform: ten thousand level ups in a million
// ticks, with scripted random drift and key and mouse commands mixed in,
// and the game's state checked after every command and every tick.
//
// How the levels are completed: in the first 99 ticks of every level the
// speakers drift at random and random commands come in (moves, mutes,
// freezes, pair and side changes, lock commands, the score, mouse records
// of every kind). Before the hundredth tick the test puts each axis that is
// still unlocked half a step outside its lock window, by writing the
// coordinate (from Level 550 on the drift throws the speakers to the
// level's bounds, up to 50,000 units away, too far to walk back key by
// key), moves it into the window with a key or a mouse record, and gives
// lock commands by key and by mouse until all eight axes are locked. The
// hundredth tick then raises the level.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "game/single.h"
#include "input/key_codes.h"
#include "tests/core/game_fixture.h"
#include "tests/soak/heap_bytes.h"
#include "tests/soak/player_model.h"

namespace earshot::testing {
namespace {

// Far beyond the 550 levels after which the drift no longer speeds up, and
// a hundred ticks (ten seconds of play) each: a million ticks in all.
constexpr int kLevelUps = 10'000;
constexpr int kTicksPerLevel = 100;
// The heap is first measured after this many levels, when the game's and
// the fakes' containers have reached their working sizes.
constexpr int kWarmLevels = 1'000;
// What the heap may differ by between the two measurements: the slack of a
// few containers, far less than one level's worth of leaked sound buffers
// over nine thousand levels.
constexpr std::size_t kHeapSlack = 64 * 1024;
// Draws: eight a tick; a level up adds a placement, the music set and the
// placement of the new music.
constexpr int kTickDraws = 8;
constexpr int kLevelUpDraws = 8 + 1 + 8;

const float kStep = 0.1F;
const float kGrownStep = single(wide(0.1F) * 1.5);

constexpr std::array<char, 8> kMoveKeys = {'E', 'I', 'D', 'K', 'S', 'J', 'F', 'L'};
constexpr std::array<char, 4> kMuteKeys = {'G', 'H', 'B', 'N'};
// Keys the game has no command for.
constexpr std::array<std::int16_t, 5> kIdleKeys = {'Q', 'W', 'X', 112 /* F1 */, 9 /* Tab */};

using fakes::mouseRecord;

bool isFront(Speaker which) { return which == Speaker::FrontLeft || which == Speaker::FrontRight; }

class LongPlay : public GameTest {
protected:
    void SetUp() override {
        // The state is checked, not the calls: the log stays empty.
        fake.log.recording = false;
        fake.runtime.logDraws = false;
        fake.runtime.logPumps = false;
        pushDraws(kLevelUpDraws);  // the start draws as a level up does
        load();
        ASSERT_TRUE(fake.runtime.errors.empty()) << fake.runtime.errors.front();
        ASSERT_TRUE(fake.runtime.draws.empty());
        model.copyMotion(form);
        expectedDivisor = form.DriftDivisor;
        divisorAfter.reserve(kLevelUps);
    }

    float draw() { return static_cast<float>(rng() >> 8U) / 16777216.0F; }
    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    void pushDraws(int count) {
        for (int i = 0; i < count; ++i) {
            fake.runtime.draws.push_back(draw());
        }
    }

    // --- commands, each applied to the model and to the game ---

    void press(std::int16_t code) {
        model.key(code);
        ASSERT_EQ(key(code), -1) << "key " << code << " ended the program";
        ASSERT_TRUE(model.matches(form)) << "after key " << code << " on level " << form.Level;
    }
    void press(char letter) { press(keys::letter(letter)); }

    void mouse(const std::vector<DIDEVICEOBJECTDATA>& records) {
        for (const auto& record : records) {
            model.mouse(record);
            fake.mouse->records.push_back(record);
        }
        form.DXCallback(fake.mouse->eventHandle);
        ASSERT_TRUE(fake.mouse->records.empty());
        ASSERT_TRUE(fake.runtime.errors.empty()) << fake.runtime.errors.front();
        ASSERT_TRUE(model.matches(form)) << "after " << records.size()
                                         << " mouse records on level " << form.Level;
    }

    std::vector<DIDEVICEOBJECTDATA> randomMouseRecords() {
        static constexpr std::array<std::int32_t, 6> offsets = {
            DIMOFS_X, DIMOFS_Y, DIMOFS_Z, DIMOFS_BUTTON0, DIMOFS_BUTTON1, DIMOFS_BUTTON2};
        std::vector<DIDEVICEOBJECTDATA> records(static_cast<std::size_t>(1 + below(6)));
        for (auto& record : records) {
            record.lOfs = offsets[static_cast<std::size_t>(below(6))];
            record.lData = record.lOfs <= DIMOFS_Z ? below(41) - 20 : (below(2) == 0 ? 0x80 : 0);
        }
        return records;
    }

    void randomCommand() {
        const int pick = below(100);
        if (pick < 40) {
            press(kMoveKeys[static_cast<std::size_t>(below(8))]);
        } else if (pick < 55) {
            mouse(randomMouseRecords());
        } else if (pick < 65) {
            press(keys::Space);
        } else if (pick < 75) {
            press(kMuteKeys[static_cast<std::size_t>(below(4))]);
        } else if (pick < 83) {
            press('T');
        } else if (pick < 91) {
            press(keys::Enter);
        } else if (pick < 95) {
            press('P');
            ASSERT_EQ(fake.runtime.captions.back(), "points.");
        } else {
            press(kIdleKeys[static_cast<std::size_t>(below(5))]);
        }
    }

    // --- completing a level ---

    void selectPair(Speaker which) {
        if (model.frontSelected() != isFront(which)) {
            press(keys::Enter);
        }
    }

    // A click (press and release) of the button that selects the side, as a
    // real mouse sends it: the release then finds the side selected and locks.
    void selectSide(Speaker which) {
        const bool left = isLeftSpeaker(which);
        if (model.leftSelected() == left) {
            return;
        }
        const std::int32_t button = left ? DIMOFS_BUTTON0 : DIMOFS_BUTTON1;
        mouse({mouseRecord(button, 0x80), mouseRecord(button, 0)});
    }

    void moveByKey(Speaker which, Axis axis, int direction) {
        selectPair(which);
        const bool left = isLeftSpeaker(which);
        char letter = 0;
        if (axis == Axis::Z) {
            letter = direction > 0 ? (left ? 'E' : 'I') : (left ? 'D' : 'K');
        } else {
            letter = direction > 0 ? (left ? 'F' : 'L') : (left ? 'S' : 'J');
        }
        press(letter);
    }

    void moveByMouse(Speaker which, Axis axis, int direction) {
        selectPair(which);
        if (HasFatalFailure()) return;
        selectSide(which);
        if (HasFatalFailure()) return;
        std::vector<DIDEVICEOBJECTDATA> records;
        const std::int32_t amount = 4 + below(17);
        if (axis == Axis::X) {
            records.push_back(mouseRecord(DIMOFS_Y, below(7) - 3));  // too small to move
            records.push_back(mouseRecord(DIMOFS_X, direction * amount));
        } else {
            records.push_back(mouseRecord(DIMOFS_X, 0));
            records.push_back(mouseRecord(DIMOFS_Y, -direction * amount));
        }
        mouse(records);
    }

    void lockCommand() {
        if (below(2) == 0) {
            press(keys::Space);
            return;
        }
        const std::int32_t button = model.leftSelected() ? DIMOFS_BUTTON0 : DIMOFS_BUTTON1;
        if (below(2) == 0) {
            mouse({mouseRecord(button, 0x80)});
        } else {
            mouse({mouseRecord(button, 0x80), mouseRecord(button, 0)});  // locks twice
        }
    }

    void bringInAndLock() {
        std::array<std::size_t, 8> order = {0, 1, 2, 3, 4, 5, 6, 7};
        std::shuffle(order.begin(), order.end(), rng);
        for (std::size_t i : order) {
            const LockWindowCase& window = lockWindowCases[i];
            if (model.locked(window.which, window.axis)) {
                continue;
            }
            const int direction = below(2) == 0 ? +1 : -1;
            SpeakerRefs s = form.speaker(window.which);
            const double halfStep = wide(s.Step) / 2.0;
            s.coordinate(window.axis) = direction > 0 ? single(wide(window.lower) - halfStep)
                                                      : single(wide(window.upper) + halfStep);
            model.copyMotion(form);
            if (below(2) == 0) {
                moveByKey(window.which, window.axis, direction);
            } else {
                moveByMouse(window.which, window.axis, direction);
            }
            if (HasFatalFailure()) return;
            const float c = s.coordinate(window.axis);
            ASSERT_TRUE(model.locked(window.which, window.axis) ||
                        (c > window.lower && c < window.upper))
                << s.name << " axis " << i << " moved to " << c << ", not into its window";
            if (below(4) == 0) {
                lockCommand();
                if (HasFatalFailure()) return;
            }
        }
        while (!model.allLocked()) {
            lockCommand();
            if (HasFatalFailure()) return;
        }
    }

    // Events that fall due while the level-up cue plays: they run in its
    // pump, after the level has risen and before the locks are cleared.
    void queueForTheLevelUpCue() {
        const int count = below(4);
        for (int i = 0; i < count; ++i) {
            const int pick = below(4);
            if (pick == 0) {
                fake.runtime.pending.push_back([this] { form.onTimer(); });  // skipped
            } else if (pick == 1) {
                auto records = randomMouseRecords();
                for (const auto& record : records) {
                    model.mouse(record);
                }
                fake.runtime.pending.push_back([this, records] {
                    for (const auto& record : records) {
                        fake.mouse->records.push_back(record);
                    }
                    form.DXCallback(fake.mouse->eventHandle);
                });
            } else {
                static constexpr std::array<std::int16_t, 5> codes = {
                    keys::Space, 'E', 'T', keys::Enter, 'G'};
                const std::int16_t code = codes[static_cast<std::size_t>(below(5))];
                model.key(code);
                fake.runtime.pending.push_back([this, code] { form.onKeyDown(code, 0); });
            }
        }
    }

    // --- ticks ---

    ::testing::AssertionResult stateHolds() {
        const float bound = single(5.0 * wide(form.Level));
        for (Speaker which : speakerOrder) {
            const SpeakerRefs s = form.speaker(which);
            if (s.Pos.y != 0.0F) {
                return ::testing::AssertionFailure() << s.name << " y is " << s.Pos.y;
            }
            for (float c : {s.Pos.x, s.Pos.z}) {
                if (!std::isfinite(c) || c < -bound || c > bound) {
                    return ::testing::AssertionFailure()
                           << s.name << " coordinate " << c << " is outside +-" << bound;
                }
            }
            for (float step : {s.Step, s.SavedStep}) {
                if (step != kStep && step != kGrownStep) {
                    return ::testing::AssertionFailure() << s.name << " step is " << step;
                }
            }
        }
        if (!(form.DriftDivisor > 0.0F)) {
            return ::testing::AssertionFailure() << "drift divisor " << form.DriftDivisor;
        }
        if (form.LevelUpRunning || form.WireBusy) {
            return ::testing::AssertionFailure() << "a level up or a wire was left running";
        }
        if (!fake.runtime.draws.empty()) {
            return ::testing::AssertionFailure()
                   << fake.runtime.draws.size() << " scripted draws were not taken";
        }
        return model.matches(form);
    }

    void tickOnce() {
        const bool levelDue = model.allLocked();
        pushDraws(kTickDraws);
        std::array<float, kLevelUpDraws> levelDraws{};
        if (levelDue) {
            const float newLevel = single(wide(form.Level) + 1.0);
            for (std::size_t i = 0; i < levelDraws.size(); ++i) {
                levelDraws[i] = draw();
            }
            // Half of the new places near the listener (just outside every
            // window), where the level allows them; the others anywhere.
            if (newLevel >= 5.0F && below(2) == 0) {
                static constexpr std::array<float, 4> nearby = {-3.0F, -2.0F, 2.0F, 3.0F};
                for (std::size_t i = 9; i < levelDraws.size(); ++i) {
                    const float target = nearby[static_cast<std::size_t>(below(4))];
                    levelDraws[i] = single((wide(target) + 9.5) / (3.0 * wide(newLevel)));
                }
            }
            for (float r : levelDraws) {
                fake.runtime.draws.push_back(r);
            }
            queueForTheLevelUpCue();
        }
        const float levelBefore = form.Level;
        ASSERT_EQ(tick(), -1) << "the tick ended the program: " << fake.runtime.errors.front();
        ++ticks;
        if (levelDue) {
            checkLevelUp(levelBefore, levelDraws);
        } else {
            ASSERT_EQ(form.Level, levelBefore);
        }
        model.copyMotion(form);
        ASSERT_TRUE(stateHolds()) << "after tick " << ticks << " on level " << form.Level;
    }

    void checkLevelUp(float levelBefore, const std::array<float, kLevelUpDraws>& draws) {
        ++levelUps;
        const float level = form.Level;
        ASSERT_EQ(level, single(wide(levelBefore) + 1.0));
        ASSERT_TRUE(fake.runtime.pending.empty());
        model.levelUp();
        for (Speaker which : speakerOrder) {
            const SpeakerRefs s = form.speaker(which);
            ASSERT_FALSE(s.XLocked || s.ZLocked) << s.name << " stayed locked on level " << level;
            ASSERT_EQ(s.Step, kGrownStep) << s.name;
            ASSERT_EQ(s.SavedStep, kGrownStep) << s.name;
        }
        if (expectedDivisor > single(0.1)) {
            expectedDivisor = single(wide(expectedDivisor) - 0.1);
        }
        ASSERT_EQ(form.DriftDivisor, expectedDivisor) << "after " << levelUps << " level ups";
        divisorAfter.push_back(form.DriftDivisor);

        const float set = single(std::floor(wide(draws[8]) * 6.0 + 1.0));
        ASSERT_EQ(form.MusicSet, set);
        const std::string leftFile = "left" + std::to_string(static_cast<int>(set)) + ".wav#";
        ASSERT_EQ(buffer(Speaker::RearLeft).name().rfind(leftFile, 0), 0U)
            << buffer(Speaker::RearLeft).name();
        ASSERT_TRUE(buffer(Speaker::FrontRight).looping);

        // The second placement is the one that stays; the clamp of the same
        // tick does not touch it.
        const std::array<Speaker, 4> placed = {Speaker::FrontLeft, Speaker::FrontRight,
                                               Speaker::RearLeft, Speaker::RearRight};
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const SpeakerRefs s = form.speaker(placed[i]);
            const double x = std::floor(wide(level) * 3.0 * wide(draws[9 + 2 * i]) + 1.0) - 10.0;
            const double z = std::floor(wide(level) * 3.0 * wide(draws[10 + 2 * i]) + 1.0) - 10.0;
            ASSERT_EQ(wide(s.Pos.x), x) << s.name << " on level " << level;
            ASSERT_EQ(wide(s.Pos.z), z) << s.name << " on level " << level;
            ASSERT_GE(x, -9.0);
            ASSERT_LE(x, 3.0 * wide(level) - 10.0);
            const fakes::FakeSound3D& sent = control(placed[i]);
            ASSERT_TRUE(sent.position.x == s.Pos.x && sent.position.y == 4.0F &&
                        sent.position.z == s.Pos.z)
                << s.name << " was heard elsewhere";
        }

        // Nothing of the old level is held: the four speakers' sounds, and
        // the 3D control of the last cue until the next cue replaces it.
        ASSERT_EQ(fakes::FakeSoundBuffer::live, 4) << "on level " << level;
        ASSERT_EQ(fakes::FakeSound3D::live, 4 + (form.sound.Cue3D ? 1 : 0)) << "on level " << level;
        ASSERT_EQ(form.sound.CueBuffer, nullptr);

        // The fakes' own records of what was said.
        for (const auto& caption : fake.runtime.captions) {
            if (caption.find(" axis locked.") != std::string::npos) {
                ++announcements;
            }
        }
        ASSERT_EQ(announcements, model.locks());
        fake.runtime.captions.clear();
        fake.voice->spoken.clear();
    }

    std::mt19937 rng{20250917U};
    PlayerModel model;
    float expectedDivisor = 0.0F;
    std::vector<float> divisorAfter;  // after each level up
    std::int64_t ticks = 0;
    int levelUps = 0;
    std::int64_t announcements = 0;
};

TEST_F(LongPlay, TenThousandLevelsInAMillionTicksKeepEveryRule) {
    const auto started = std::chrono::steady_clock::now();
    std::size_t heapWarm = 0;
    for (int level = 1; level <= kLevelUps; ++level) {
        for (int t = 1; t < kTicksPerLevel; ++t) {
            if (below(5) == 0) {
                randomCommand();
                ASSERT_FALSE(HasFatalFailure());
            }
            tickOnce();
            ASSERT_FALSE(HasFatalFailure());
        }
        bringInAndLock();
        ASSERT_FALSE(HasFatalFailure());
        tickOnce();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_EQ(levelUps, level) << "a level rose on its own";
        if (level == kWarmLevels) {
            heapWarm = heapBytesInUse();
        }
    }
    const std::size_t heapEnd = heapBytesInUse();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    EXPECT_EQ(ticks, std::int64_t{kLevelUps} * kTicksPerLevel);
    EXPECT_EQ(form.Level, single(kLevelUps + 1.0));

    // The drift divisor: 54.0000153 after ten level ups, lowered by each of
    // the first 550 to a small positive value, and never changed after.
    EXPECT_NEAR(divisorAfter[9], 54.0000153, 1e-6);
    EXPECT_LT(divisorAfter[549], divisorAfter[548]);
    EXPECT_GT(divisorAfter[549], 0.0F);
    EXPECT_NEAR(divisorAfter[549], 0.00026, 0.00002);
    for (std::size_t i = 550; i < divisorAfter.size(); ++i) {
        ASSERT_EQ(divisorAfter[i], divisorAfter[549]) << "after " << i + 1 << " level ups";
    }

    // The counters and the score follow the lock commands alone: each
    // costs every lock and every lock command so far, itself included.
    EXPECT_EQ(form.LockdownCount, static_cast<float>(model.lockCommands()));
    EXPECT_EQ(form.LockCount, static_cast<float>(model.locks()));
    EXPECT_GE(model.locks(), std::int64_t{8} * kLevelUps);
    EXPECT_EQ(form.Score, model.score());
    const double exactScore = 100.0 - static_cast<double>(model.exactCharges());
    EXPECT_NEAR(wide(form.Score), exactScore, 1e-5 * std::fabs(exactScore));

    // Memory does not grow with the levels.
    EXPECT_LE(heapEnd, heapWarm + kHeapSlack)
        << "the heap grew from " << heapWarm << " to " << heapEnd << " bytes over "
        << kLevelUps - kWarmLevels << " levels";

    // Escape still ends the game and lets go of every sound.
    EXPECT_EQ(key(keys::Escape), 0);
    EXPECT_EQ(fakes::FakeSoundBuffer::live, 0);
    EXPECT_EQ(fakes::FakeSound3D::live, form.sound.Cue3D ? 1 : 0);  // the end of the program frees it

    std::printf("long play: %d level ups, %lld ticks, %lld lock commands, %lld locks, score %g, "
                "heap %zu bytes after %d levels and %zu after %d, %.1f s\n",
                levelUps, static_cast<long long>(ticks),
                static_cast<long long>(model.lockCommands()),
                static_cast<long long>(model.locks()), wide(form.Score), heapWarm, kWarmLevels,
                heapEnd, kLevelUps, seconds);
    RecordProperty("seconds", std::to_string(seconds));
}

}  // namespace
}  // namespace earshot::testing
