// An audio service for tests: it logs every call, keeps what was set, and
// fails where a test says (no device, files that cannot be loaded). It
// refuses the calls the real service refuses; the audio contract tests run
// the same cases against both.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "audio/direct_sound.h"
#include "game/vector.h"
#include "tests/fakes/call_log.h"

namespace earshot::fakes {

// What a test can set about the audio service before the game runs.
struct AudioScript {
    bool noDevice = false;
    // File names (not paths) whose load fails.
    std::set<std::string> unloadable;
    // How many status reads a once-played sound stays playing for.
    int playingReads = 3;
    // A call whose log text contains this fails with an AudioError.
    std::string failingCall;
};

class FakeSound3D final : public DirectSound3DBuffer8 {
public:
    FakeSound3D(CallLog& log, const AudioScript& script, std::string name)
        : log_(log), script_(script), name_(std::move(name)) {
        ++live;
    }
    ~FakeSound3D() override { --live; }
    FakeSound3D(const FakeSound3D&) = delete;
    FakeSound3D& operator=(const FakeSound3D&) = delete;
    void SetPosition(float x, float y, float z, std::int32_t apply) override;
    void SetMinDistance(float distance, std::int32_t apply) override;
    void SetMaxDistance(float distance, std::int32_t apply) override;

    const std::string& name() const { return name_; }
    // How many controls exist right now, in the whole process.
    static inline int live = 0;
    D3DVECTOR position;
    int positionsSent = 0;
    float minDistance = 1.0F;
    float maxDistance = 1e9F;

private:
    CallLog& log_;
    const AudioScript& script_;
    std::string name_;
};

class FakeSoundBuffer final : public DirectSoundSecondaryBuffer8 {
public:
    FakeSoundBuffer(CallLog& log, const AudioScript& script, std::string name, std::string path)
        : log_(log), script_(script), name_(std::move(name)), path_(std::move(path)) {
        ++live;
    }
    ~FakeSoundBuffer() override;
    FakeSoundBuffer(const FakeSoundBuffer&) = delete;
    FakeSoundBuffer& operator=(const FakeSoundBuffer&) = delete;
    void Play(std::int32_t flags) override;
    void Stop() override;
    void SetCurrentPosition(std::int32_t position) override;
    std::int32_t GetStatus() override;
    void SetVolume(std::int32_t hundredthsOfDb) override;
    std::shared_ptr<DirectSound3DBuffer8> GetDirectSound3DBuffer() override;

    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }
    // How many buffers exist right now, in the whole process.
    static inline int live = 0;
    bool playing = false;
    bool looping = false;
    // Loaded with a 3D control (DSBCAPS_CTRL3D).
    bool spatial = true;
    std::int32_t volume = 0;
    int statusReads = 0;
    std::shared_ptr<FakeSound3D> control;

private:
    CallLog& log_;
    const AudioScript& script_;
    std::string name_;
    std::string path_;
    int readsLeft_ = 0;
};

class FakeListener final : public DirectSound3DListener8 {
public:
    FakeListener(CallLog& log, const AudioScript& script) : log_(log), script_(script) {}
    void SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ,
                        std::int32_t apply) override;
    void SetPosition(float x, float y, float z, std::int32_t apply) override;
    void SetDopplerFactor(float factor, std::int32_t apply) override;
    void SetRolloffFactor(float factor, std::int32_t apply) override;

private:
    CallLog& log_;
    const AudioScript& script_;
};

class FakePrimaryBuffer final : public DirectSoundPrimaryBuffer8 {
public:
    FakePrimaryBuffer(CallLog& log, const AudioScript& script) : log_(log), script_(script) {}
    // The one listener, the same at every call.
    std::shared_ptr<DirectSound3DListener8> GetDirectSound3DListener() override;

private:
    CallLog& log_;
    const AudioScript& script_;
    std::shared_ptr<FakeListener> listener_;
};

class FakeDirectSound final : public DirectSound8 {
public:
    FakeDirectSound(CallLog& log, const AudioScript& script) : log_(log), script_(script) {}
    void SetCooperativeLevel(std::intptr_t windowHandle, std::int32_t level) override;
    // The one primary buffer, the same at every call.
    std::shared_ptr<DirectSoundPrimaryBuffer8> CreatePrimarySoundBuffer(
        const DSBUFFERDESC& desc) override;
    std::shared_ptr<DirectSoundSecondaryBuffer8> CreateSoundBufferFromFile(
        const std::string& path, const DSBUFFERDESC& desc) override;

    // How many buffers of each file name were made so far.
    std::map<std::string, int> loads;

private:
    CallLog& log_;
    const AudioScript& script_;
    std::shared_ptr<FakePrimaryBuffer> primary_;
};

// Throws an AudioError when the script says that this call fails.
void failIfScripted(const AudioScript& script, const std::string& call);

}  // namespace earshot::fakes
