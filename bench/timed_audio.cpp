#include "bench/timed_audio.h"

#include <utility>

namespace earshot::bench {

namespace {

class TimedSound3D final : public DirectSound3DBuffer8 {
public:
    TimedSound3D(std::shared_ptr<DirectSound3DBuffer8> real, PositionLog& log)
        : real_(std::move(real)), log_(log), number_(++log.controls) {}

    void SetPosition(float x, float y, float z, std::int32_t apply) override {
        real_->SetPosition(x, y, z, apply);
        log_.sent.push_back(PositionSent{Clock::now(), x, y, z, number_});
    }
    void SetMinDistance(float distance, std::int32_t apply) override {
        real_->SetMinDistance(distance, apply);
    }
    void SetMaxDistance(float distance, std::int32_t apply) override {
        real_->SetMaxDistance(distance, apply);
    }

private:
    std::shared_ptr<DirectSound3DBuffer8> real_;
    PositionLog& log_;
    int number_;
};

class TimedSoundBuffer final : public DirectSoundSecondaryBuffer8 {
public:
    TimedSoundBuffer(std::shared_ptr<DirectSoundSecondaryBuffer8> real, PositionLog& log)
        : real_(std::move(real)), log_(log) {}

    void Play(std::int32_t flags) override { real_->Play(flags); }
    void Stop() override { real_->Stop(); }
    void SetCurrentPosition(std::int32_t position) override { real_->SetCurrentPosition(position); }
    std::int32_t GetStatus() override { return real_->GetStatus(); }
    void SetVolume(std::int32_t hundredthsOfDb) override { real_->SetVolume(hundredthsOfDb); }
    std::shared_ptr<DirectSound3DBuffer8> GetDirectSound3DBuffer() override {
        // Every call gives the same control, as the real buffer's does.
        if (!control_) {
            control_ = std::make_shared<TimedSound3D>(real_->GetDirectSound3DBuffer(), log_);
        }
        return control_;
    }

private:
    std::shared_ptr<DirectSoundSecondaryBuffer8> real_;
    PositionLog& log_;
    std::shared_ptr<DirectSound3DBuffer8> control_;
};

class TimedDirectSound final : public DirectSound8 {
public:
    TimedDirectSound(std::shared_ptr<DirectSound8> real, PositionLog& log)
        : real_(std::move(real)), log_(log) {}

    void SetCooperativeLevel(std::intptr_t windowHandle, std::int32_t level) override {
        real_->SetCooperativeLevel(windowHandle, level);
    }
    std::shared_ptr<DirectSoundPrimaryBuffer8> CreatePrimarySoundBuffer(
        const DSBUFFERDESC& desc) override {
        return real_->CreatePrimarySoundBuffer(desc);
    }
    std::shared_ptr<DirectSoundSecondaryBuffer8> CreateSoundBufferFromFile(
        const std::string& path, const DSBUFFERDESC& desc) override {
        return std::make_shared<TimedSoundBuffer>(real_->CreateSoundBufferFromFile(path, desc), log_);
    }

private:
    std::shared_ptr<DirectSound8> real_;
    PositionLog& log_;
};

}  // namespace

TimedDirectX8::TimedDirectX8(std::shared_ptr<DirectX8> real, PositionLog& log)
    : real_(std::move(real)), log_(log) {}

std::shared_ptr<DirectSound8> TimedDirectX8::DirectSoundCreate(const std::string& guid) {
    return std::make_shared<TimedDirectSound>(real_->DirectSoundCreate(guid), log_);
}

std::shared_ptr<DirectInput8> TimedDirectX8::DirectInputCreate() { return real_->DirectInputCreate(); }

std::int32_t TimedDirectX8::CreateEvent(DirectXEvent8* target) { return real_->CreateEvent(target); }

}  // namespace earshot::bench
