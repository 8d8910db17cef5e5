// The 3D audio service as the game sees it: a device, a primary buffer with
// the one listener, and sounds loaded from WAV files, each with a 3D control.
// Every operation either does what its comment says or throws AudioError.
// Coordinates are scene units in the left-handed frame of vector.h; the
// last argument of every 3D call is the apply flag, 0 = at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/vector.h"

namespace earshot {

// Capability flags and 3D algorithm of a buffer to be created.
struct DSBUFFERDESC {
    std::int32_t lFlags = 0;
    std::string guid3DAlgorithm;
};

inline constexpr std::int32_t DSBCAPS_PRIMARYBUFFER = 0x1;
inline constexpr std::int32_t DSBCAPS_CTRL3D = 0x10;
inline constexpr std::int32_t DSBCAPS_CTRLFREQUENCY = 0x20;
inline constexpr std::int32_t DSBCAPS_CTRLVOLUME = 0x80;
inline constexpr std::int32_t DSSCL_PRIORITY = 2;
inline constexpr std::int32_t DSBPLAY_DEFAULT = 0;
inline constexpr std::int32_t DSBPLAY_LOOPING = 1;
inline constexpr std::int32_t DSBSTATUS_PLAYING = 1;
inline constexpr std::int32_t DSBSTATUS_LOOPING = 4;
inline constexpr std::int32_t DS3D_IMMEDIATE = 0;
inline constexpr const char* DS3DALG_HRTF_FULL = "DS3DALG_HRTF_FULL";

// Where one sound is heard from. A new control sits at (0, 0, 0) with
// minimum distance 1 and maximum distance 1e9.
class DirectSound3DBuffer8 {
public:
    virtual ~DirectSound3DBuffer8() = default;
    virtual void SetPosition(float x, float y, float z, std::int32_t apply) = 0;
    // Full level up to this distance; beyond it the level falls as
    // (minimum / distance) ^ rolloff.
    virtual void SetMinDistance(float distance, std::int32_t apply) = 0;
    // No quieter beyond this distance.
    virtual void SetMaxDistance(float distance, std::int32_t apply) = 0;
};

// A sound loaded whole from a file; created stopped, at its start.
class DirectSoundSecondaryBuffer8 {
public:
    virtual ~DirectSoundSecondaryBuffer8() = default;
    // DSBPLAY_LOOPING loops until stopped; DSBPLAY_DEFAULT plays once.
    virtual void Play(std::int32_t flags) = 0;
    // Silence at once; the play cursor stays where it was.
    virtual void Stop() = 0;
    // Moves the play cursor (in bytes; 0 = the start).
    virtual void SetCurrentPosition(std::int32_t position) = 0;
    // DSBSTATUS_PLAYING (exactly) while a once-played sound still sounds;
    // DSBSTATUS_PLAYING | DSBSTATUS_LOOPING while looping; 0 when stopped.
    virtual std::int32_t GetStatus() = 0;
    // Hundredths of a decibel: 0 is full level, -4000 is 40 dB down.
    virtual void SetVolume(std::int32_t hundredthsOfDb) = 0;
    // The buffer's 3D control; every call gives the same control.
    virtual std::shared_ptr<DirectSound3DBuffer8> GetDirectSound3DBuffer() = 0;
};

// The one listener. It starts at the origin facing +z with +y up, Doppler
// factor 1 and rolloff factor 1; its rolloff applies to every sound.
class DirectSound3DListener8 {
public:
    virtual ~DirectSound3DListener8() = default;
    virtual void SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                                float topZ, std::int32_t apply) = 0;
    virtual void SetPosition(float x, float y, float z, std::int32_t apply) = 0;
    virtual void SetDopplerFactor(float factor, std::int32_t apply) = 0;
    virtual void SetRolloffFactor(float factor, std::int32_t apply) = 0;
};

class DirectSoundPrimaryBuffer8 {
public:
    virtual ~DirectSoundPrimaryBuffer8() = default;
    virtual std::shared_ptr<DirectSound3DListener8> GetDirectSound3DListener() = 0;
};

// The audio device.
class DirectSound8 {
public:
    virtual ~DirectSound8() = default;
    virtual void SetCooperativeLevel(std::intptr_t windowHandle, std::int32_t level) = 0;
    virtual std::shared_ptr<DirectSoundPrimaryBuffer8> CreatePrimarySoundBuffer(
        const DSBUFFERDESC& desc) = 0;
    // Reads the whole WAV file (any PCM or float format and rate, mixed down
    // to mono). A missing, empty, truncated or non-audio file throws an
    // AudioError naming the file and the reason, and creates nothing.
    virtual std::shared_ptr<DirectSoundSecondaryBuffer8> CreateSoundBufferFromFile(
        const std::string& path, const DSBUFFERDESC& desc) = 0;
};

}  // namespace earshot
