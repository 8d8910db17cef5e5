// Start-up, game start and exit on the fake platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "input/key_codes.h"
#include "tests/core/game_fixture.h"

namespace earshot::testing {
namespace {

using ::testing::ElementsAre;

TEST_F(GameTest, StartValuesAfterTheGameStart) {
    load();
    EXPECT_EQ(form.Score, 100.0F);
    EXPECT_EQ(form.Level, 1.0F);
    EXPECT_EQ(form.DriftDivisor, 55.0F);
    EXPECT_TRUE(form.LeftSelected);
    EXPECT_TRUE(form.FrontSelected);
    EXPECT_EQ(form.LockCount, 0.0F);
    EXPECT_EQ(form.LockdownCount, 0.0F);
    EXPECT_FALSE(form.SpeakersLockedDown);
    EXPECT_FALSE(form.WireBusy);
    for (Speaker which : speakerOrder) {
        SpeakerRefs s = form.speaker(which);
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.Step, 0.1F);
        EXPECT_EQ(s.SavedStep, 0.1F);
        EXPECT_EQ(s.Sum, 1.0F);
        EXPECT_FALSE(s.XLocked);
        EXPECT_FALSE(s.ZLocked);
        EXPECT_FALSE(s.Muted);
        EXPECT_EQ(s.Pos.y, 0.0F);
    }
    EXPECT_EQ(fake.runtime.timerInterval, 100);
    EXPECT_TRUE(fake.runtime.timerEnabled);
    EXPECT_TRUE(fake.runtime.errors.empty());
}

// The order of the start's platform calls, by landmark: each must come after
// the one before it.
TEST_F(GameTest, StartRunsItsStepsInOrder) {
    load();
    const std::vector<std::string> landmarks = {
        "runtime.setScaleModePixels()",
        "runtime.chDir(/opt/earshot)",
        "runtime.showWindow()",
        "new DirectX8 -> DX1",
        "DX1.DirectInputCreate()",
        "DI.CreateDevice(guid_SysMouse)",
        "Mouse.SetCommonDataFormat(2)",
        "Mouse.SetCooperativeLevel(4242,5)",
        "Mouse.SetProperty(DIPROP_BUFFERSIZE,0,0,100)",
        "DX1.CreateEvent() -> 1",
        "Mouse.SetEventNotification(1)",
        "Mouse.Acquire()",
        "new SpVoice",
        "new DirectX8 -> DX2",
        "DX2.DirectSoundCreate()",
        "DS.SetCooperativeLevel(4242,2)",
        "DS.CreatePrimarySoundBuffer(17)",
        "primary.GetDirectSound3DListener()",
        "DS.CreateSoundBufferFromFile(/opt/earshot/sounds/left",
        "runtime.randomize()",
        "DS.CreateSoundBufferFromFile(/opt/earshot/sounds/tavlora.wav,176,DS3DALG_HRTF_FULL)",
        "tavlora.wav#1.Play(0)",
        "runtime.doEvents()",
        "tavlora.wav#1.Stop()",
        "tavlora.wav#1.released",
        "listener.SetOrientation(0,0,1,0,1,0,0)",
        "listener.SetPosition(0,4,0,0)",
        "runtime.randomize()",
        "listener.SetDopplerFactor(0,0)",
        ".SetMinDistance(1,0)",
        ".SetMaxDistance(10,0)",
        "listener.SetRolloffFactor(1,0)",
        "runtime.setTimerInterval(100)",
        "runtime.setTimerEnabled(true)",
    };
    int at = 0;
    for (const auto& landmark : landmarks) {
        const int found = fake.log.find(landmark, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << landmark << "\nlog:\n"
                            << fake.log.dump();
        at = found + 1;
    }
}

TEST_F(GameTest, DistancesGoToEachSpeakerMinimumThenMaximum) {
    load();
    const auto distances = fake.log.matching("Distance(");
    ASSERT_EQ(distances.size(), 8U) << fake.log.dump();
    const Speaker order[] = {Speaker::FrontLeft, Speaker::FrontRight, Speaker::RearLeft,
                             Speaker::RearRight};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string name = control(order[i]).name();
        EXPECT_EQ(distances[2 * i], name + ".SetMinDistance(1,0)");
        EXPECT_EQ(distances[2 * i + 1], name + ".SetMaxDistance(10,0)");
    }
}

TEST_F(GameTest, NoAudioDeviceStopsTheStartAndEscapeStillEndsCleanly) {
    fake.audio.noDevice = true;
    load();
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0],
              "The game could not start: opening the audio device: no audio output device");
    // Told to the player by the voice as well.
    ASSERT_FALSE(fake.voice->spoken.empty());
    EXPECT_EQ(fake.voice->spoken.back(), fake.runtime.errors[0]);
    EXPECT_FALSE(fake.runtime.timerEnabled);
    EXPECT_EQ(fake.log.find("CreatePrimarySoundBuffer"), -1);
    EXPECT_EQ(key(keys::Escape), 0);
}

TEST_F(GameTest, MissingIntroAbandonsTheStartAfterTheMusic) {
    fake.audio.unloadable = {"tavlora.wav"};
    load();
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0],
              "The game could not start: playing the intro: cannot load sound file "
              "/opt/earshot/sounds/tavlora.wav: No such file or directory");
    // The music plays at its first places; nothing after the intro ran.
    for (Speaker which : speakerOrder) {
        EXPECT_TRUE(buffer(which).playing);
        EXPECT_EQ(control(which).positionsSent, 1);
        EXPECT_EQ(control(which).maxDistance, 1e9F);
    }
    EXPECT_EQ(fake.log.find("listener."), -1);
    EXPECT_FALSE(fake.runtime.timerEnabled);
    EXPECT_EQ(fake.runtime.randomizes, 2);  // the music's draw and its placement
    EXPECT_EQ(key(keys::Escape), 0);
}

TEST_F(GameTest, ExitStopsTheMusicThenReleasesInOrder) {
    load();
    const std::string fl = buffer(Speaker::FrontLeft).name();
    const std::string rr = buffer(Speaker::RearRight).name();
    fake.log.clear();
    EXPECT_EQ(key(keys::Escape), 0);
    const auto& log = fake.log;
    const int stopFirst = log.find(fl + ".Stop()");
    const int stopLast = log.find(rr + ".Stop()");
    const int releaseFirst = log.find(fl + ".released");
    ASSERT_GE(stopFirst, 0) << log.dump();
    EXPECT_LT(stopFirst, stopLast);
    EXPECT_LT(stopLast, releaseFirst);
    EXPECT_EQ(log.entries.back(), "runtime.endProgram(0)");
    EXPECT_EQ(form.sound.DS, nullptr);
    EXPECT_EQ(form.sound.DX, nullptr);
}

TEST_F(GameTest, WithoutAVoiceTheGameStartsAndCaptionsStillCome) {
    fake.script.noVoice = true;
    load();
    EXPECT_EQ(form.Voice, nullptr);
    EXPECT_TRUE(fake.runtime.timerEnabled);
    EXPECT_TRUE(fake.runtime.errors.empty());
    EXPECT_EQ(key(keys::letter('P')), -1);
    EXPECT_THAT(fake.runtime.captions, ElementsAre("100", "points."));
}

TEST_F(GameTest, WithoutAVoiceAFailedStartIsStillCaptioned) {
    fake.script.noVoice = true;
    fake.audio.noDevice = true;
    load();
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_THAT(fake.runtime.captions, ElementsAre(fake.runtime.errors[0]));
}

TEST_F(GameTest, WithoutAMouseTheGameStartsAndTheKeysPlay) {
    fake.script.noMouse = true;
    load();
    EXPECT_EQ(form.input.Mouse, nullptr);
    EXPECT_TRUE(fake.runtime.timerEnabled);
    EXPECT_TRUE(fake.runtime.errors.empty());
    const float x = form.FrontLeftPos.x;
    EXPECT_EQ(key(keys::letter('F')), -1);
    EXPECT_FLOAT_EQ(form.FrontLeftPos.x, x + 0.1F);
    // The skipped mouse steps said nothing.
    EXPECT_EQ(fake.log.find("Mouse."), -1);
}

TEST_F(GameTest, EscapeQueuedBeforeTheIntroEndsTheProgramInsideTheStart) {
    fake.runtime.pending.push_back([this] { form.onKeyDown(keys::Escape, 0); });
    try {
        load();
        FAIL() << "the program should have ended";
    } catch (const fakes::ProgramEnded& ended) {
        EXPECT_EQ(ended.status, 0);
    }
    EXPECT_EQ(fake.log.find("listener."), -1) << fake.log.dump();
}

TEST_F(GameTest, AnErrorInTheKeyHandlerIsReportedAndEndsTheProgram) {
    load();
    fake.voice->failOn = "points.";
    EXPECT_EQ(key(keys::letter('P')), 1);
    ASSERT_EQ(fake.runtime.errors.size(), 1U);
    EXPECT_EQ(fake.runtime.errors[0],
              "Error in the key handler: the voice failed. The game ends.");
}

TEST_F(GameTest, AKeyBeforeTheStartRanIsAnErrorNotACrash) {
    fake.audio.noDevice = true;
    load();
    EXPECT_EQ(key(keys::letter('G')), 1);
    EXPECT_EQ(fake.runtime.errors.back(),
              "Error in the key handler: The front left speaker's sound does not exist, since "
              "the game did not start. The game ends.");
}

}  // namespace
}  // namespace earshot::testing
