#include "tests/fakes/fake_platform.h"

#include "game/errors.h"

namespace earshot::fakes {

void FakeMouse::SetCommonDataFormat(std::int32_t format) {
    log_.add("Mouse.SetCommonDataFormat(" + std::to_string(format) + ")");
}

void FakeMouse::SetCooperativeLevel(std::intptr_t windowHandle, std::int32_t flags) {
    log_.add("Mouse.SetCooperativeLevel(" + std::to_string(windowHandle) + "," +
             std::to_string(flags) + ")");
}

void FakeMouse::SetProperty(const std::string& name, const DIPROPLONG& value) {
    log_.add("Mouse.SetProperty(" + name + "," + std::to_string(value.lHow) + "," +
             std::to_string(value.lObj) + "," + std::to_string(value.lData) + ")");
    bufferSize = value.lData;
}

void FakeMouse::SetEventNotification(std::int32_t handle) {
    log_.add("Mouse.SetEventNotification(" + std::to_string(handle) + ")");
    eventHandle = handle;
}

void FakeMouse::Acquire() {
    log_.add("Mouse.Acquire()");
    acquired = true;
}

void FakeMouse::Unacquire() {
    log_.add("Mouse.Unacquire()");
    acquired = false;
}

std::int32_t FakeMouse::GetDeviceData(std::span<DIDEVICEOBJECTDATA> out, std::int32_t flags) {
    log_.add("Mouse.GetDeviceData(" + std::to_string(out.size()) + "," + std::to_string(flags) +
             ")");
    if (failReads || !acquired) {
        throw InputError("the mouse was taken away");
    }
    std::int32_t count = 0;
    while (!records.empty() && static_cast<std::size_t>(count) < out.size()) {
        out[static_cast<std::size_t>(count++)] = records.front();
        records.pop_front();
    }
    return count;
}

void FakeVoice::Speak(const std::string& text, std::int32_t flags) {
    log_.add("Voice.Speak(" + text + "," + std::to_string(flags) + ")");
    if (!failOn.empty() && text.find(failOn) != std::string::npos) {
        throw SpeechError("the voice failed");
    }
    if (whileSpeaking) {
        whileSpeaking(text);
    }
    spoken.push_back(text);
}

std::shared_ptr<DirectSound8> FakeDirectX8::DirectSoundCreate(const std::string& guid) {
    log_.add("DX" + std::to_string(number_) + ".DirectSoundCreate(" + guid + ")");
    if (audio_.noDevice) {
        throw AudioError("no audio output device");
    }
    directSound_ = std::make_shared<FakeDirectSound>(log_, audio_);
    return directSound_;
}

std::shared_ptr<DirectInput8> FakeDirectX8::DirectInputCreate() {
    log_.add("DX" + std::to_string(number_) + ".DirectInputCreate()");
    class FakeDirectInput final : public DirectInput8 {
    public:
        FakeDirectInput(CallLog& log, const PlatformScript& script,
                        std::shared_ptr<FakeMouse>& mouse)
            : log_(log), script_(script), mouse_(mouse) {}
        std::shared_ptr<DirectInputDevice8> CreateDevice(const std::string& guid) override {
            log_.add("DI.CreateDevice(" + guid + ")");
            if (script_.noMouse) {
                throw InputError("no mouse");
            }
            mouse_ = std::make_shared<FakeMouse>(log_);
            return mouse_;
        }

    private:
        CallLog& log_;
        const PlatformScript& script_;
        std::shared_ptr<FakeMouse>& mouse_;
    };
    return std::make_shared<FakeDirectInput>(log_, platform_, mouse_);
}

std::int32_t FakeDirectX8::CreateEvent(DirectXEvent8* target) {
    events_.push_back(target);
    const auto handle = static_cast<std::int32_t>(events_.size());
    log_.add("DX" + std::to_string(number_) + ".CreateEvent() -> " + std::to_string(handle));
    return handle;
}

FakePlatform::FakePlatform()
    : platform{runtime,
               [this]() -> std::shared_ptr<DirectX8> {
                   ++rootsMade;
                   log.add("new DirectX8 -> DX" + std::to_string(rootsMade));
                   if (script.noRoot) {
                       throw Error("no platform root");
                   }
                   return std::make_shared<FakeDirectX8>(log, audio, script, mouse, events,
                                                         directSound, rootsMade);
               },
               [this]() -> std::shared_ptr<SpVoice> {
                   log.add("new SpVoice");
                   if (script.noVoice) {
                       throw SpeechError("no voice data");
                   }
                   voice = std::make_shared<FakeVoice>(log);
                   return voice;
               }} {}

FakeSoundBuffer& FakePlatform::buffer(const std::shared_ptr<DirectSoundSecondaryBuffer8>& ref) {
    return dynamic_cast<FakeSoundBuffer&>(*ref);
}

FakeSound3D& FakePlatform::control(const std::shared_ptr<DirectSound3DBuffer8>& ref) {
    return dynamic_cast<FakeSound3D&>(*ref);
}

void FakePlatform::queueMouse(std::vector<DIDEVICEOBJECTDATA> newRecords) {
    runtime.pending.push_back([this, newRecords] {
        for (const auto& record : newRecords) {
            mouse->records.push_back(record);
        }
        events.at(static_cast<std::size_t>(mouse->eventHandle - 1))->DXCallback(mouse->eventHandle);
    });
}

DIDEVICEOBJECTDATA mouseRecord(std::int32_t offset, std::int32_t data) {
    DIDEVICEOBJECTDATA record;
    record.lOfs = offset;
    record.lData = data;
    return record;
}

}  // namespace earshot::fakes
