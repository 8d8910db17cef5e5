// The four speakers and the references to each one's own variables, so that
// a rule is written once and walked over the speakers in the order it
// needs.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "audio/direct_sound.h"
#include "game/existing.h"
#include "game/vector.h"

namespace earshot {

enum class Speaker { FrontLeft, FrontRight, RearLeft, RearRight };

enum class Axis { X, Z };

// The order in which the game lists its speakers.
inline constexpr std::array<Speaker, 4> speakerOrder = {Speaker::FrontLeft, Speaker::FrontRight,
                                                        Speaker::RearLeft, Speaker::RearRight};

// What the game says when a speaker's objects were never made, or when a
// move took it out of range: whole sentences, so that each is translated as
// a whole.
struct SpeakerFaults {
    const char* noSound;
    const char* noControl;
    const char* outOfRange;
};

// A speaker's own variables in the game object and the shared objects.
struct SpeakerRefs {
    const char* name;  // "front left", for a test's messages
    const SpeakerFaults& faults;
    D3DVECTOR& Pos;
    D3DVECTOR& Drift;
    float& Step;
    float& SavedStep;
    float& Sum;
    bool& XLocked;
    bool& ZLocked;
    bool& Muted;
    std::shared_ptr<DirectSoundSecondaryBuffer8>& Buffer;
    std::shared_ptr<DirectSound3DBuffer8>& Sound3D;

    float& coordinate(Axis axis) { return axis == Axis::X ? Pos.x : Pos.z; }
    float& drift(Axis axis) { return axis == Axis::X ? Drift.x : Drift.z; }
    bool& locked(Axis axis) { return axis == Axis::X ? XLocked : ZLocked; }

    // The speaker's sound and its 3D control; a run-time error when they
    // were never made.
    DirectSoundSecondaryBuffer8& buffer() const { return existing(Buffer, faults.noSound); }
    DirectSound3DBuffer8& control() const { return existing(Sound3D, faults.noControl); }
};

// True for the two speakers that play a set's left file.
constexpr bool isLeftSpeaker(Speaker which) {
    return which == Speaker::FrontLeft || which == Speaker::RearLeft;
}

}  // namespace earshot
