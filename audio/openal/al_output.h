// The process's one audio output: one OpenAL device and context, opened
// with HRTF requested, which the game's 3D sounds and the speech voice share.
// Whoever holds the output may make raw AL calls while it plays: its context
// is current.
//
// An output can be lost: the device is unplugged, the sound server goes away
// or stops answering. The output notices it when it is looked at (poll, which
// every sound operation and every wait calls), tells the player, and opens
// the default output again on a thread of its own. While it is lost nothing
// plays and nothing waits for sound. When a new device is ready, every member
// (each sound, the speech stream) and the listener are made again on it from
// their own record of what the game asked for: a lost device reads back
// stopped sources at their start, so nothing is ever read back from OpenAL.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "audio/openal/al_reopener.h"
#include "audio/openal/alc_handles.h"
#include "audio/openal/output_notices.h"
#include "audio/openal/stall_watch.h"

namespace earshot {

// Throws AudioError naming `what` when the current context has an AL error
// pending (the pending error is cleared either way).
void throwIfAlError(const char* what);
// Same for the device's ALC error; a null device checks the global state.
void throwIfAlcError(ALCdevice* device, const char* what);

// Something made in the output's context that the output makes again on a
// new device. Members join the output when they are made and leave it when
// they go; both happen on the thread that uses the output.
class AlOutputMember {
public:
    virtual ~AlOutputMember() = default;
    // The device is lost: stop what plays and forget the AL names without
    // deleting them (they died with the device, or will with its closing).
    virtual void abandon() noexcept = 0;
    // Makes the AL objects again in the current context, from the record.
    virtual void rebuild() = 0;
    // The listener's rolloff factor changed; spatial sounds follow it.
    virtual void rolloffChanged(float /*factor*/) {}
};

class AlOutput {
public:
    // How often the output is looked at, at most, how long its playback may
    // stand still before it counts as lost, and how often a lost output is
    // opened again.
    static constexpr std::chrono::milliseconds lookEvery{20};
    static constexpr std::chrono::milliseconds stallLimit{1000};
    static constexpr std::chrono::milliseconds reopenEvery{1000};
    // How much a device opened again must play before it counts as back.
    static constexpr std::int64_t confirmAfterNanoseconds = 250'000'000;

    // The process's output: the first call opens the default device with
    // HRTF requested and makes its context current; later calls share it
    // while anyone holds it. Throws AudioError (no device, no context).
    static std::shared_ptr<AlOutput> shared();
    // A loopback device (stereo, float32, the given rate, HRTF requested)
    // that becomes the process's output, for offline and deterministic
    // rendering. Throws AudioError if the loopback extension or the format
    // is missing, or if another output is still open. When it is declared
    // lost, a new loopback device of the same kind takes its place.
    static std::shared_ptr<AlOutput> openLoopback(int sampleRate);
    // Looks at the process's output if one is open (see poll).
    static void pollShared();
    // Whether the process's output is lost now, and how many times it has
    // come back; false and 0 while there is none.
    static bool sharedLost();
    static int sharedReturns();

    ~AlOutput();
    AlOutput(const AlOutput&) = delete;
    AlOutput& operator=(const AlOutput&) = delete;

    // Mixes the next `frames` frames into `interleavedStereo` (2 floats per
    // frame); silence while the output is lost. Only a loopback output
    // renders; others throw AudioError.
    void render(float* interleavedStereo, int frames);
    bool isLoopback() const { return loopback_; }

    bool hrtfEnabled() const;
    // Why HRTF is or is not in use, in words, with the HRTF's name if any.
    std::string hrtfStatusText() const;
    int sampleRate() const { return sampleRate_; }
    // The device now in use; null while the output is lost. A device opened
    // again is in use (its members are made on it) before it is heard.
    ALCdevice* device() const { return current_ ? current_->device.get() : nullptr; }

    // Looks whether the device is still there and still plays, and takes
    // over a device opened again; at most every `lookEvery`, and never
    // inside itself. Tells the player of a loss and of a return.
    void poll();
    // True from a loss until a new device has taken over and been heard
    // to play: nothing can be heard meanwhile.
    bool lost() const { return !current_ || !heard_; }
    // Takes the device for lost (a wait found that nothing plays); `why` is
    // for standard error. Does nothing while lost.
    void declareLost(const std::string& why);
    // How many times a lost output has come back.
    int returns() const { return returns_; }

    void join(AlOutputMember& member);
    void leave(AlOutputMember& member);

    // The listener, kept here so that it survives a new device. Vectors are
    // in OpenAL's frame.
    void setListenerOrientation(const std::array<float, 6>& frontAndTop);
    void setListenerPosition(const std::array<float, 3>& position);
    void setDopplerFactor(float factor);
    // The listener's rolloff factor applies to every spatial sound, those
    // already made and those made later.
    void setRolloffFactor(float factor);
    float rolloffFactor() const { return rolloffFactor_; }

private:
    struct Token {};

public:
    AlOutput(Token, AlcOpener opener, bool loopback);

private:
    static std::shared_ptr<AlOutput> open(AlcOpener opener, bool loopback);
    // Makes `opened` current and sets it up; the members are rebuilt by
    // the caller.
    void adopt(AlcOpened opened);
    void applyListener();
    // One look at the device in use: a loss, or a return that has been
    // heard. `detail` gets what went wrong.
    std::optional<OutputNoticeKind> look(std::chrono::steady_clock::time_point now,
                                         std::string& detail);
    void loseDevice();
    bool stillPlays();
    std::optional<std::int64_t> playbackClock() const;

    AlcOpener opener_;
    bool loopback_ = false;
    // Changed on the game's thread; read there and by a loopback output's
    // renderer, which may run on a thread of its own.
    mutable std::mutex currentMutex_;
    std::optional<AlcOpened> current_;
    int sampleRate_ = 0;
    AlReopener reopener_;
    StallWatch stall_{stallLimit};
    std::chrono::steady_clock::time_point nextLook_{};
    bool polling_ = false;
    // Whether the device in use has been heard to play (the first always
    // counts as heard), and its clock when it was first looked at.
    bool heard_ = true;
    std::optional<std::int64_t> firstClock_;
    int returns_ = 0;
    std::vector<AlOutputMember*> members_;

    std::array<float, 6> orientation_{0.0F, 0.0F, -1.0F, 0.0F, 1.0F, 0.0F};
    std::array<float, 3> listenerPosition_{0.0F, 0.0F, 0.0F};
    float dopplerFactor_ = 1.0F;
    float rolloffFactor_ = 1.0F;
};

}  // namespace earshot
