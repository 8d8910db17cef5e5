// The whole platform for a game object under test: one call log, the fake
// runtime, the fake audio service, a fake mouse and a fake voice, and the
// Platform that hands them to Form1.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/platform.h"
#include "tests/fakes/call_log.h"
#include "tests/fakes/fake_audio.h"
#include "tests/fakes/fake_runtime.h"

namespace earshot::fakes {

class FakeMouse final : public DirectInputDevice8 {
public:
    explicit FakeMouse(CallLog& log) : log_(log) {}
    void SetCommonDataFormat(std::int32_t format) override;
    void SetCooperativeLevel(std::intptr_t windowHandle, std::int32_t flags) override;
    void SetProperty(const std::string& name, const DIPROPLONG& value) override;
    void SetEventNotification(std::int32_t eventHandle) override;
    void Acquire() override;
    void Unacquire() override;
    std::int32_t GetDeviceData(std::span<DIDEVICEOBJECTDATA> records, std::int32_t flags) override;

    // Records waiting to be read, oldest first.
    std::deque<DIDEVICEOBJECTDATA> records;
    bool acquired = false;
    bool failReads = false;
    std::int32_t bufferSize = 0;
    std::int32_t eventHandle = 0;

private:
    CallLog& log_;
};

class FakeVoice final : public SpVoice {
public:
    explicit FakeVoice(CallLog& log) : log_(log) {}
    void Speak(const std::string& text, std::int32_t flags) override;

    std::vector<std::string> spoken;
    // Speaking a text that contains this fails with a SpeechError.
    std::string failOn;
    // Runs while a text is spoken (the game waits for it).
    std::function<void(const std::string&)> whileSpeaking;

private:
    CallLog& log_;
};

// What a test can set about the platform before the game loads.
struct PlatformScript {
    bool noMouse = false;
    bool noVoice = false;
    bool noRoot = false;
};

class FakeDirectX8 final : public DirectX8 {
public:
    FakeDirectX8(CallLog& log, const AudioScript& audio, const PlatformScript& platform,
                 std::shared_ptr<FakeMouse>& mouse, std::vector<DirectXEvent8*>& events,
                 std::shared_ptr<FakeDirectSound>& directSound, int number)
        : log_(log), audio_(audio), platform_(platform), mouse_(mouse), events_(events),
          directSound_(directSound), number_(number) {}
    std::shared_ptr<DirectSound8> DirectSoundCreate(const std::string& guid) override;
    std::shared_ptr<DirectInput8> DirectInputCreate() override;
    std::int32_t CreateEvent(DirectXEvent8* target) override;

private:
    CallLog& log_;
    const AudioScript& audio_;
    const PlatformScript& platform_;
    std::shared_ptr<FakeMouse>& mouse_;
    std::vector<DirectXEvent8*>& events_;
    std::shared_ptr<FakeDirectSound>& directSound_;
    int number_;
};

class FakePlatform {
public:
    FakePlatform();

    CallLog log;
    FakeRuntime runtime{log};
    AudioScript audio;
    PlatformScript script;
    std::shared_ptr<FakeMouse> mouse;
    std::shared_ptr<FakeDirectSound> directSound;
    std::shared_ptr<FakeVoice> voice;
    // The callback targets of the events made, by handle (from 1).
    std::vector<DirectXEvent8*> events;
    int rootsMade = 0;
    Platform platform;

    // The fake object behind a game reference.
    static FakeSoundBuffer& buffer(const std::shared_ptr<DirectSoundSecondaryBuffer8>& ref);
    static FakeSound3D& control(const std::shared_ptr<DirectSound3DBuffer8>& ref);
    // Queues a mouse notification with these records for the next pump.
    void queueMouse(std::vector<DIDEVICEOBJECTDATA> records);
};

DIDEVICEOBJECTDATA mouseRecord(std::int32_t offset, std::int32_t data);

}  // namespace earshot::fakes
