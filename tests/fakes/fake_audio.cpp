#include "tests/fakes/fake_audio.h"

#include "game/errors.h"

namespace earshot::fakes {

void failIfScripted(const AudioScript& script, const std::string& call) {
    if (!script.failingCall.empty() && call.find(script.failingCall) != std::string::npos) {
        throw AudioError("scripted failure of " + call);
    }
}

namespace {

std::string point(float x, float y, float z) {
    return num(x) + "," + num(y) + "," + num(z);
}

void refuseNegative(float value, const std::string& call) {
    if (!(value >= 0.0F)) {
        throw AudioError(call + " failed: it must not be negative");
    }
}

std::string fileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void FakeSound3D::SetPosition(float x, float y, float z, std::int32_t apply) {
    // Every tick sends four positions: with the log off and no failure
    // scripted, a long run skips writing them out.
    if (log_.recording || !script_.failingCall.empty()) {
        const std::string call =
            name_ + ".SetPosition(" + point(x, y, z) + "," + std::to_string(apply) + ")";
        log_.add(call);
        failIfScripted(script_, call);
    }
    position = D3DVECTOR{x, y, z};
    ++positionsSent;
}

void FakeSound3D::SetMinDistance(float distance, std::int32_t apply) {
    const std::string call = name_ + ".SetMinDistance(" + num(distance) + "," + std::to_string(apply) + ")";
    log_.add(call);
    failIfScripted(script_, call);
    refuseNegative(distance, call);
    minDistance = distance;
}

void FakeSound3D::SetMaxDistance(float distance, std::int32_t apply) {
    const std::string call = name_ + ".SetMaxDistance(" + num(distance) + "," + std::to_string(apply) + ")";
    log_.add(call);
    failIfScripted(script_, call);
    refuseNegative(distance, call);
    maxDistance = distance;
}

FakeSoundBuffer::~FakeSoundBuffer() {
    --live;
    log_.add(name_ + ".released");
}

void FakeSoundBuffer::Play(std::int32_t flags) {
    const std::string call = name_ + ".Play(" + std::to_string(flags) + ")";
    log_.add(call);
    failIfScripted(script_, call);
    playing = true;
    looping = (flags & DSBPLAY_LOOPING) != 0;
    readsLeft_ = script_.playingReads;
}

void FakeSoundBuffer::Stop() {
    const std::string call = name_ + ".Stop()";
    log_.add(call);
    failIfScripted(script_, call);
    playing = false;
}

void FakeSoundBuffer::SetCurrentPosition(std::int32_t position) {
    const std::string call = name_ + ".SetCurrentPosition(" + std::to_string(position) + ")";
    log_.add(call);
    failIfScripted(script_, call);
    if (position < 0) {
        throw AudioError(call + " failed: the cursor is outside the sound");
    }
}

std::int32_t FakeSoundBuffer::GetStatus() {
    ++statusReads;
    if (playing && !looping) {
        if (readsLeft_ > 0) {
            --readsLeft_;
            return DSBSTATUS_PLAYING;
        }
        playing = false;
    }
    return playing ? DSBSTATUS_PLAYING | DSBSTATUS_LOOPING : 0;
}

void FakeSoundBuffer::SetVolume(std::int32_t hundredthsOfDb) {
    const std::string call = name_ + ".SetVolume(" + std::to_string(hundredthsOfDb) + ")";
    log_.add(call);
    failIfScripted(script_, call);
    if (hundredthsOfDb > 0 || hundredthsOfDb < -10000) {
        throw AudioError(call + " failed: outside -10000 to 0 hundredths of a decibel");
    }
    volume = hundredthsOfDb;
}

std::shared_ptr<DirectSound3DBuffer8> FakeSoundBuffer::GetDirectSound3DBuffer() {
    const std::string call = name_ + ".GetDirectSound3DBuffer()";
    log_.add(call);
    failIfScripted(script_, call);
    if (!spatial) {
        throw AudioError("this sound was loaded without 3D control, so it cannot be placed");
    }
    if (!control) {
        control = std::make_shared<FakeSound3D>(log_, script_, name_ + ".3D");
    }
    return control;
}

void FakeListener::SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                                  float topZ, std::int32_t apply) {
    const std::string call = "listener.SetOrientation(" + point(frontX, frontY, frontZ) + "," +
                             point(topX, topY, topZ) + "," + std::to_string(apply) + ")";
    log_.add(call);
    failIfScripted(script_, call);
}

void FakeListener::SetPosition(float x, float y, float z, std::int32_t apply) {
    const std::string call = "listener.SetPosition(" + point(x, y, z) + "," + std::to_string(apply) + ")";
    log_.add(call);
    failIfScripted(script_, call);
}

void FakeListener::SetDopplerFactor(float factor, std::int32_t apply) {
    const std::string call = "listener.SetDopplerFactor(" + num(factor) + "," + std::to_string(apply) + ")";
    log_.add(call);
    failIfScripted(script_, call);
    refuseNegative(factor, call);
}

void FakeListener::SetRolloffFactor(float factor, std::int32_t apply) {
    const std::string call = "listener.SetRolloffFactor(" + num(factor) + "," + std::to_string(apply) + ")";
    log_.add(call);
    failIfScripted(script_, call);
    refuseNegative(factor, call);
}

std::shared_ptr<DirectSound3DListener8> FakePrimaryBuffer::GetDirectSound3DListener() {
    const std::string call = "primary.GetDirectSound3DListener()";
    log_.add(call);
    failIfScripted(script_, call);
    if (!listener_) {
        listener_ = std::make_shared<FakeListener>(log_, script_);
    }
    return listener_;
}

void FakeDirectSound::SetCooperativeLevel(std::intptr_t windowHandle, std::int32_t level) {
    const std::string call = "DS.SetCooperativeLevel(" + std::to_string(windowHandle) + "," +
                             std::to_string(level) + ")";
    log_.add(call);
    failIfScripted(script_, call);
}

std::shared_ptr<DirectSoundPrimaryBuffer8> FakeDirectSound::CreatePrimarySoundBuffer(
    const DSBUFFERDESC& desc) {
    const std::string call = "DS.CreatePrimarySoundBuffer(" + std::to_string(desc.lFlags) + ")";
    log_.add(call);
    failIfScripted(script_, call);
    if ((desc.lFlags & DSBCAPS_PRIMARYBUFFER) == 0) {
        throw AudioError("creating the primary buffer failed: its description lacks the primary buffer flag");
    }
    if (!primary_) {
        primary_ = std::make_shared<FakePrimaryBuffer>(log_, script_);
    }
    return primary_;
}

std::shared_ptr<DirectSoundSecondaryBuffer8> FakeDirectSound::CreateSoundBufferFromFile(
    const std::string& path, const DSBUFFERDESC& desc) {
    const std::string file = fileName(path);
    const std::string call = "DS.CreateSoundBufferFromFile(" + path + "," +
                             std::to_string(desc.lFlags) + "," + desc.guid3DAlgorithm + ")";
    log_.add(call);
    failIfScripted(script_, call);
    if (script_.unloadable.count(file) != 0) {
        throw AudioError("cannot load sound file " + path + ": No such file or directory");
    }
    if ((desc.lFlags & DSBCAPS_PRIMARYBUFFER) != 0) {
        throw AudioError("cannot load sound file " + path + ": its description asks for a primary buffer");
    }
    const int instance = ++loads[file];
    auto buffer = std::make_shared<FakeSoundBuffer>(log_, script_, file + "#" + std::to_string(instance), path);
    buffer->spatial = (desc.lFlags & DSBCAPS_CTRL3D) != 0;
    return buffer;
}

}  // namespace earshot::fakes
