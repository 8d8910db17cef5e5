// The process's one audio output: one OpenAL device and context, opened
// with HRTF requested, which the game's 3D sounds and the speech voice share.
// Whoever holds the output may make raw AL calls: its context is current.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <memory>
#include <string>
#include <vector>

namespace earshot {

// Throws AudioError naming `what` when the current context has an AL error
// pending (the pending error is cleared either way).
void throwIfAlError(const char* what);
// Same for the device's ALC error; a null device checks the global state.
void throwIfAlcError(ALCdevice* device, const char* what);

// Owns an ALC device; closes it on destruction.
class AlcDeviceHandle {
public:
    AlcDeviceHandle() = default;
    explicit AlcDeviceHandle(ALCdevice* device) : device_(device) {}
    ~AlcDeviceHandle();
    AlcDeviceHandle(AlcDeviceHandle&& other) noexcept;
    AlcDeviceHandle& operator=(AlcDeviceHandle&& other) noexcept;
    AlcDeviceHandle(const AlcDeviceHandle&) = delete;
    AlcDeviceHandle& operator=(const AlcDeviceHandle&) = delete;
    ALCdevice* get() const { return device_; }

private:
    ALCdevice* device_ = nullptr;
};

// Owns an ALC context; unsets it if current and destroys it on destruction.
class AlcContextHandle {
public:
    AlcContextHandle() = default;
    explicit AlcContextHandle(ALCcontext* context) : context_(context) {}
    ~AlcContextHandle();
    AlcContextHandle(AlcContextHandle&& other) noexcept;
    AlcContextHandle& operator=(AlcContextHandle&& other) noexcept;
    AlcContextHandle(const AlcContextHandle&) = delete;
    AlcContextHandle& operator=(const AlcContextHandle&) = delete;
    ALCcontext* get() const { return context_; }

private:
    ALCcontext* context_ = nullptr;
};

class AlOutput {
public:
    // The process's output: the first call opens the default device with
    // HRTF requested and makes its context current; later calls share it
    // while anyone holds it. Throws AudioError (no device, no context).
    static std::shared_ptr<AlOutput> shared();
    // A loopback device (stereo, float32, the given rate, HRTF requested)
    // that becomes the process's output, for offline and deterministic
    // rendering. Throws AudioError if the loopback extension or the format
    // is missing, or if another output is still open.
    static std::shared_ptr<AlOutput> openLoopback(int sampleRate);

    ~AlOutput();
    AlOutput(const AlOutput&) = delete;
    AlOutput& operator=(const AlOutput&) = delete;

    // Mixes the next `frames` frames into `interleavedStereo` (2 floats per
    // frame). Only a loopback output renders; others throw AudioError.
    void render(float* interleavedStereo, int frames);
    bool isLoopback() const { return loopback_; }

    bool hrtfEnabled() const;
    // Why HRTF is or is not in use, in words, with the HRTF's name if any.
    std::string hrtfStatusText() const;
    int sampleRate() const;
    ALCdevice* device() const { return device_.get(); }

    // The listener's rolloff factor applies to every spatial source, those
    // already made and those made later: spatial sources register here.
    void registerSource(ALuint source);
    void unregisterSource(ALuint source);
    void setRolloffFactor(float factor);
    float rolloffFactor() const { return rolloffFactor_; }

private:
    struct Token {};

public:
    AlOutput(Token, AlcDeviceHandle device, bool loopback);

private:
    static std::shared_ptr<AlOutput> finishOpening(AlcDeviceHandle device, bool loopback,
                                                   const std::vector<ALCint>& attributes);
    void reportMissingHrtf() const;

    AlcDeviceHandle device_;
    AlcContextHandle context_;
    bool loopback_ = false;
    float rolloffFactor_ = 1.0F;
    std::vector<ALuint> spatialSources_;
};

}  // namespace earshot
