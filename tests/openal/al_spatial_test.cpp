// Where a sound is heard: left and right in the scene's left-handed frame,
// and how its level falls with distance, minimum and maximum distance and
// the listener's rolloff factor.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "game/errors.h"
#include "loopback_fixture.h"
#include "wav_writer.h"

namespace earshot::test {
namespace {

constexpr int settle = 4096;
constexpr int window = 8192;

// One second of noise, looped while measured.
std::string noiseFile() {
    return writeWav("noise.wav", WavFormat{}, [](int frame, int) { return noise(frame); });
}

enum class Side { Left, Right, Centre };

struct DirectionCase {
    const char* name;
    D3DVECTOR listenerFront;
    D3DVECTOR listenerPosition;
    D3DVECTOR source;
    Side louder;
};

std::ostream& operator<<(std::ostream& out, const DirectionCase& scenario) {
    return out << scenario.name;
}

class DirectionTest : public LoopbackTest, public ::testing::WithParamInterface<DirectionCase> {};

TEST_P(DirectionTest, IsHeardOnTheRightSide) {
    const DirectionCase& scenario = GetParam();
    const auto& front = scenario.listenerFront;
    const auto& at = scenario.listenerPosition;
    listener_->SetOrientation(front.x, front.y, front.z, 0, 1, 0, DS3D_IMMEDIATE);
    listener_->SetPosition(at.x, at.y, at.z, DS3D_IMMEDIATE);
    auto buffer = load(noiseFile());
    buffer->GetDirectSound3DBuffer()->SetPosition(scenario.source.x, scenario.source.y,
                                                  scenario.source.z, DS3D_IMMEDIATE);
    buffer->Play(DSBPLAY_LOOPING);
    render(settle);
    const Rendered block = render(window);
    const double left = rms(block.left);
    const double right = rms(block.right);
    const double rightOverLeft = decibels(right / left);
    ASSERT_GT(left + right, 0.01) << "the source is not heard at all";
    switch (scenario.louder) {
    case Side::Right:
        EXPECT_GT(rightOverLeft, 6.0) << "left " << left << ", right " << right;
        break;
    case Side::Left:
        EXPECT_LT(rightOverLeft, -6.0) << "left " << left << ", right " << right;
        break;
    case Side::Centre:
        EXPECT_NEAR(rightOverLeft, 0.0, 2.0) << "left " << left << ", right " << right;
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    SceneFrame, DirectionTest,
    ::testing::Values(
        DirectionCase{"PlusXIsRight", {0, 0, 1}, {0, 0, 0}, {2, 0, 0}, Side::Right},
        DirectionCase{"MinusXIsLeft", {0, 0, 1}, {0, 0, 0}, {-2, 0, 0}, Side::Left},
        DirectionCase{"PlusZIsInFront", {0, 0, 1}, {0, 0, 0}, {0, 0, 2}, Side::Centre},
        DirectionCase{"MinusZIsBehind", {0, 0, 1}, {0, 0, 0}, {0, 0, -2}, Side::Centre},
        // Facing +x, the listener's left is +z; facing -z, +x is on the left.
        DirectionCase{"FacingPlusXPlusZIsLeft", {1, 0, 0}, {0, 0, 0}, {0, 0, 2}, Side::Left},
        DirectionCase{"FacingMinusZPlusXIsLeft", {0, 0, -1}, {0, 0, 0}, {2, 0, 0}, Side::Left},
        // Seen from (0, 0, 10) facing +x, (0, 0, 8) lies at the right.
        DirectionCase{"ListenerAwayFromOrigin", {1, 0, 0}, {0, 0, 10}, {0, 0, 8}, Side::Right},
        DirectionCase{"GameListenerPose", {0, 0, 1}, {0, 4, 0}, {3, 4, 1}, Side::Right}),
    NamedScenario{});

struct DistanceCase {
    const char* name;
    float rolloff;
    float minDistance;  // 0: the default
    float maxDistance;  // 0: the default
    float distance;
    bool loadedAfterRolloff;
    double expectedDb;
};

std::ostream& operator<<(std::ostream& out, const DistanceCase& scenario) {
    return out << scenario.name;
}

class DistanceTest : public LoopbackTest, public ::testing::WithParamInterface<DistanceCase> {
protected:
    double levelInFront(DirectSoundSecondaryBuffer8& buffer, float distance) {
        buffer.GetDirectSound3DBuffer()->SetPosition(0, 0, distance, DS3D_IMMEDIATE);
        buffer.Play(DSBPLAY_LOOPING);
        render(settle);
        const double level = rmsBoth(render(window));
        buffer.Stop();
        return level;
    }
};

TEST_P(DistanceTest, FallsAsMinOverDistanceToTheRolloff) {
    const DistanceCase& scenario = GetParam();
    const std::string path = noiseFile();
    auto reference = load(path);
    std::shared_ptr<DirectSoundSecondaryBuffer8> buffer;
    if (!scenario.loadedAfterRolloff) {
        buffer = load(path);
    }
    listener_->SetRolloffFactor(scenario.rolloff, DS3D_IMMEDIATE);
    if (scenario.loadedAfterRolloff) {
        buffer = load(path);
    }
    auto control = buffer->GetDirectSound3DBuffer();
    if (scenario.minDistance > 0) {
        control->SetMinDistance(scenario.minDistance, DS3D_IMMEDIATE);
    }
    if (scenario.maxDistance > 0) {
        control->SetMaxDistance(scenario.maxDistance, DS3D_IMMEDIATE);
    }
    // At the default minimum distance nothing is attenuated, whatever the rolloff.
    const double full = levelInFront(*reference, 1.0F);
    const double level = levelInFront(*buffer, scenario.distance);
    EXPECT_NEAR(decibels(level / full), scenario.expectedDb, 0.5)
        << "full level " << full << ", at distance " << scenario.distance << ": " << level;
}

INSTANTIATE_TEST_SUITE_P(
    Attenuation, DistanceTest,
    ::testing::Values(
        DistanceCase{"InsideMinimumIsFull", 1, 0, 0, 0.5F, false, 0.0},
        DistanceCase{"DefaultsAtTen", 1, 0, 0, 10, false, -20.0},
        DistanceCase{"RolloffOneAtFour", 1, 0, 0, 4, false, -12.04},
        DistanceCase{"RolloffTwoOnAnEarlierSound", 2, 0, 0, 4, false, -24.08},
        DistanceCase{"RolloffTwoOnALaterSound", 2, 0, 0, 4, true, -24.08},
        DistanceCase{"RolloffZeroDoesNotFall", 0, 0, 0, 4, true, 0.0},
        DistanceCase{"MinimumTwoAtFour", 1, 2, 0, 4, false, -6.02},
        DistanceCase{"MaximumTwoClampsAtEight", 1, 0, 2, 8, false, -6.02},
        DistanceCase{"GameDistancesAtTwenty", 1, 1, 10, 20, false, -20.0}),
    NamedScenario{});

}  // namespace
}  // namespace earshot::test
