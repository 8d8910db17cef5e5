#include "audio/openal/al_output.h"

#include <AL/alext.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <utility>

#include "audio/openal/output_notices.h"
#include "game/errors.h"

namespace earshot {

namespace {

std::mutex outputMutex;
std::weak_ptr<AlOutput> currentOutput;

const char* alErrorText(ALenum error) {
    switch (error) {
    case AL_INVALID_NAME: return "invalid name";
    case AL_INVALID_ENUM: return "invalid enum";
    case AL_INVALID_VALUE: return "invalid value";
    case AL_INVALID_OPERATION: return "invalid operation";
    case AL_OUT_OF_MEMORY: return "out of memory";
    default: return "unknown error";
    }
}

const char* alcErrorText(ALCenum error) {
    switch (error) {
    case ALC_INVALID_DEVICE: return "invalid device";
    case ALC_INVALID_CONTEXT: return "invalid context";
    case ALC_INVALID_ENUM: return "invalid enum";
    case ALC_INVALID_VALUE: return "invalid value";
    case ALC_OUT_OF_MEMORY: return "out of memory";
    default: return "unknown error";
    }
}

const char* hrtfStatusWords(ALCint status) {
    switch (status) {
    case ALC_HRTF_DISABLED_SOFT: return "HRTF is disabled";
    case ALC_HRTF_ENABLED_SOFT: return "HRTF is enabled";
    case ALC_HRTF_DENIED_SOFT: return "HRTF is denied by the OpenAL configuration";
    case ALC_HRTF_REQUIRED_SOFT: return "HRTF is required by the OpenAL configuration";
    case ALC_HRTF_HEADPHONES_DETECTED_SOFT: return "HRTF is enabled because headphones were detected";
    case ALC_HRTF_UNSUPPORTED_FORMAT_SOFT:
        return "HRTF is not available for this output format (it needs stereo output at a rate "
               "with HRTF data)";
    default: return "the HRTF status is unknown";
    }
}

template <typename Function>
Function loopbackFunction(const char* name) {
    void* address = alcGetProcAddress(nullptr, name);
    if (address == nullptr) {
        throw AudioError(std::string("cannot open the loopback audio output: OpenAL lacks ") + name);
    }
    return reinterpret_cast<Function>(address);
}

// OpenAL Soft prints a line for every device it fails to open, and a lost
// output is opened again every second until it is back. The player may
// still ask for its messages with ALSOFT_LOGLEVEL. OpenAL reads the
// variable at its first call, so this comes before any.
void quietOpenAlLog() {
    static std::once_flag once;
    std::call_once(once, [] { ::setenv("ALSOFT_LOGLEVEL", "0", 0); });
}

void createContext(AlcOpened& opened, const std::vector<ALCint>& attributes) {
    ALCdevice* device = opened.device.get();
    opened.context = AlcContextHandle(alcCreateContext(device, attributes.data()));
    if (opened.context.get() == nullptr) {
        const ALCenum error = alcGetError(device);
        throw AudioError(std::string("cannot open the audio output: no audio context (OpenAL ") +
                         alcErrorText(error) + ")");
    }
}

AlcOpened openDefaultDevice() {
    AlcOpened opened;
    opened.device = AlcDeviceHandle(alcOpenDevice(nullptr));
    if (opened.device.get() == nullptr) {
        throw AudioError("cannot open the audio output: there is no audio device");
    }
    createContext(opened, {ALC_HRTF_SOFT, ALC_TRUE, 0});
    return opened;
}

AlcOpened openLoopbackDevice(int sampleRate) {
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") != ALC_TRUE) {
        throw AudioError("cannot open the loopback audio output: OpenAL lacks ALC_SOFT_loopback");
    }
    const auto openDevice =
        loopbackFunction<LPALCLOOPBACKOPENDEVICESOFT>("alcLoopbackOpenDeviceSOFT");
    const auto formatSupported =
        loopbackFunction<LPALCISRENDERFORMATSUPPORTEDSOFT>("alcIsRenderFormatSupportedSOFT");
    AlcOpened opened;
    opened.loopback = true;
    opened.device = AlcDeviceHandle(openDevice(nullptr));
    if (opened.device.get() == nullptr) {
        throw AudioError("cannot open the loopback audio output: OpenAL refused the device");
    }
    if (formatSupported(opened.device.get(), sampleRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT) !=
        ALC_TRUE) {
        throw AudioError("cannot open the loopback audio output: stereo float at " +
                         std::to_string(sampleRate) + " Hz is not supported");
    }
    createContext(opened, {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                           ALC_FLOAT_SOFT, ALC_FREQUENCY, sampleRate, ALC_HRTF_SOFT, ALC_TRUE, 0});
    return opened;
}

// Closes a lost device on a thread of its own: a stopped sound server
// holds the close for as long as it is stopped.
void closeInBackground(AlcOpened opened) {
    std::thread([lost = std::move(opened)]() mutable { closeLostDevice(std::move(lost)); }).detach();
}

}  // namespace

void throwIfAlError(const char* what) {
    const ALenum error = alGetError();
    if (error != AL_NO_ERROR) {
        throw AudioError(std::string(what) + " failed: OpenAL " + alErrorText(error));
    }
}

void throwIfAlcError(ALCdevice* device, const char* what) {
    const ALCenum error = alcGetError(device);
    if (error != ALC_NO_ERROR) {
        throw AudioError(std::string(what) + " failed: OpenAL " + alcErrorText(error));
    }
}

std::shared_ptr<AlOutput> AlOutput::shared() {
    std::shared_ptr<AlOutput> output;
    {
        const std::lock_guard lock(outputMutex);
        if (auto held = currentOutput.lock()) {
            return held;
        }
        quietOpenAlLog();
        output = open(openDefaultDevice, false);
        currentOutput = output;
    }
    // Told once the output is in place, since the player may be told by a
    // voice that uses it.
    if (!output->hrtfEnabled()) {
        tellOutputNotice(OutputNoticeKind::No3D, output->hrtfStatusText());
    }
    return output;
}

std::shared_ptr<AlOutput> AlOutput::openLoopback(int sampleRate) {
    const std::lock_guard lock(outputMutex);
    if (!currentOutput.expired()) {
        throw AudioError("cannot open the loopback audio output: another audio output is open");
    }
    quietOpenAlLog();
    auto output = open([sampleRate] { return openLoopbackDevice(sampleRate); }, true);
    currentOutput = output;
    return output;
}

namespace {

std::shared_ptr<AlOutput> heldOutput() {
    const std::lock_guard lock(outputMutex);
    return currentOutput.lock();
}

}  // namespace

void AlOutput::pollShared() {
    if (const auto output = heldOutput()) {
        output->poll();
    }
}

bool AlOutput::sharedLost() {
    const auto output = heldOutput();
    return output && output->lost();
}

int AlOutput::sharedReturns() {
    const auto output = heldOutput();
    return output ? output->returns() : 0;
}

std::shared_ptr<AlOutput> AlOutput::open(AlcOpener opener, bool loopback) {
    AlcOpened first = opener();
    auto output = std::make_shared<AlOutput>(Token{}, std::move(opener), loopback);
    output->adopt(std::move(first));
    return output;
}

AlOutput::AlOutput(Token, AlcOpener opener, bool loopback)
    : opener_(opener), loopback_(loopback), reopener_(std::move(opener), reopenEvery) {}

AlOutput::~AlOutput() = default;

void AlOutput::adopt(AlcOpened opened) {
    if (alcMakeContextCurrent(opened.context.get()) != ALC_TRUE) {
        throw AudioError("cannot open the audio output: its context cannot be made current");
    }
    {
        const std::lock_guard lock(currentMutex_);
        current_ = std::move(opened);
    }
    // The scene's sounds keep full level up to their minimum distance and
    // fall as (minimum / distance) ^ rolloff up to their maximum distance.
    alDistanceModel(AL_EXPONENT_DISTANCE_CLAMPED);
    throwIfAlError("setting the distance model");
    ALCint rate = 0;
    alcGetIntegerv(device(), ALC_FREQUENCY, 1, &rate);
    sampleRate_ = rate;
    stall_.reset();
    applyListener();
}

void AlOutput::applyListener() {
    alListenerfv(AL_ORIENTATION, orientation_.data());
    alListenerfv(AL_POSITION, listenerPosition_.data());
    alDopplerFactor(dopplerFactor_);
    throwIfAlError("setting up the listener");
}

void AlOutput::render(float* interleavedStereo, int frames) {
    if (!loopback_) {
        throw AudioError("rendering audio offline needs a loopback output");
    }
    const std::lock_guard lock(currentMutex_);
    if (!current_) {
        std::fill_n(interleavedStereo, static_cast<std::size_t>(frames) * 2, 0.0F);
        return;
    }
    static const auto renderSamples =
        loopbackFunction<LPALCRENDERSAMPLESSOFT>("alcRenderSamplesSOFT");
    renderSamples(device(), interleavedStereo, frames);
    throwIfAlcError(device(), "rendering audio");
}

bool AlOutput::hrtfEnabled() const {
    if (!current_) {
        return false;
    }
    ALCint enabled = ALC_FALSE;
    alcGetIntegerv(device(), ALC_HRTF_SOFT, 1, &enabled);
    return enabled == ALC_TRUE;
}

std::string AlOutput::hrtfStatusText() const {
    if (!current_) {
        return "the audio output is lost";
    }
    ALCint status = -1;
    alcGetIntegerv(device(), ALC_HRTF_STATUS_SOFT, 1, &status);
    std::string text = hrtfStatusWords(status);
    if (hrtfEnabled()) {
        const ALCchar* name = alcGetString(device(), ALC_HRTF_SPECIFIER_SOFT);
        if (name != nullptr && *name != '\0') {
            text += std::string(" (") + name + ")";
        }
    }
    return text;
}

void AlOutput::poll() {
    const auto now = std::chrono::steady_clock::now();
    if (polling_ || now < nextLook_) {
        return;
    }
    nextLook_ = now + lookEvery;
    polling_ = true;
    struct Leave {
        bool& polling;
        ~Leave() { polling = false; }
    };
    std::optional<OutputNoticeKind> notice;
    std::string detail;
    {
        const Leave leave{polling_};
        if (current_) {
            notice = look(now, detail);
        } else if (auto opened = reopener_.take()) {
            try {
                adopt(std::move(*opened));
                for (AlOutputMember* member : members_) {
                    member->rebuild();
                }
                heard_ = false;
                firstClock_.reset();
            } catch (const std::exception&) {
                // The player was told of the loss already; it lasts.
                if (current_) {
                    loseDevice();
                } else {
                    reopener_.start();
                }
            }
        }
    }
    if (notice) {
        tellOutputNotice(*notice, detail);
    }
}

std::optional<OutputNoticeKind> AlOutput::look(std::chrono::steady_clock::time_point now,
                                               std::string& detail) {
    std::optional<OutputNoticeKind> notice;
    const auto clock = loopback_ ? std::nullopt : playbackClock();
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(device(), ALC_CONNECTED, 1, &connected);
    if (connected != ALC_TRUE) {
        detail = "OpenAL reports the device disconnected";
    } else if (clock && stall_.stalled(*clock, now)) {
        detail = "its playback has not moved on for a second";
    } else if (!heard_) {
        // A device opened again is back once it has played a while: a sound
        // server that has just started can take a stream that never plays.
        if (!firstClock_) {
            firstClock_ = clock;
        }
        if (!clock || *clock - *firstClock_ >= confirmAfterNanoseconds) {
            heard_ = true;
            ++returns_;
            notice = OutputNoticeKind::Back;
        }
    }
    if (!detail.empty()) {
        // A device that never played is dropped as quietly as it came.
        const bool wasHeard = heard_;
        loseDevice();
        if (wasHeard) {
            notice = OutputNoticeKind::Lost;
        }
    }
    return notice;
}

void AlOutput::declareLost(const std::string& why) {
    if (!current_) {
        return;
    }
    const bool wasHeard = heard_;
    loseDevice();
    if (wasHeard) {
        tellOutputNotice(OutputNoticeKind::Lost, why);
    }
}

void AlOutput::loseDevice() {
    for (AlOutputMember* member : members_) {
        member->abandon();
    }
    AlcOpened lost;
    {
        const std::lock_guard lock(currentMutex_);
        lost = std::move(*current_);
        current_.reset();
    }
    if (lost.loopback) {
        // A loopback device never hangs; it goes at once, as usual.
        lost = AlcOpened();
    } else {
        alcMakeContextCurrent(nullptr);
        closeInBackground(std::move(lost));
    }
    reopener_.start();
}

std::optional<std::int64_t> AlOutput::playbackClock() const {
    using GetInteger64 = void(ALC_APIENTRY*)(ALCdevice*, ALCenum, ALsizei, ALCint64SOFT*);
    static const auto getInteger64 = reinterpret_cast<GetInteger64>(
        alcGetProcAddress(nullptr, "alcGetInteger64vSOFT"));
    if (getInteger64 == nullptr ||
        alcIsExtensionPresent(device(), "ALC_SOFT_device_clock") != ALC_TRUE) {
        return std::nullopt;
    }
    ALCint64SOFT clock = 0;
    getInteger64(device(), ALC_DEVICE_CLOCK_SOFT, 1, &clock);
    return clock;
}

void AlOutput::join(AlOutputMember& member) { members_.push_back(&member); }

void AlOutput::leave(AlOutputMember& member) { std::erase(members_, &member); }

void AlOutput::setListenerOrientation(const std::array<float, 6>& frontAndTop) {
    orientation_ = frontAndTop;
    if (current_) {
        alListenerfv(AL_ORIENTATION, orientation_.data());
        throwIfAlError("turning the listener");
    }
}

void AlOutput::setListenerPosition(const std::array<float, 3>& position) {
    listenerPosition_ = position;
    if (current_) {
        alListenerfv(AL_POSITION, listenerPosition_.data());
        throwIfAlError("placing the listener");
    }
}

void AlOutput::setDopplerFactor(float factor) {
    if (!(factor >= 0.0F)) {
        throw AudioError("setting the Doppler factor failed: it must not be negative");
    }
    if (current_) {
        alDopplerFactor(factor);
        throwIfAlError("setting the Doppler factor");
    }
    dopplerFactor_ = factor;
}

void AlOutput::setRolloffFactor(float factor) {
    if (!(factor >= 0.0F)) {
        throw AudioError("setting the listener's rolloff factor failed: it must not be negative");
    }
    rolloffFactor_ = factor;
    for (AlOutputMember* member : members_) {
        member->rolloffChanged(factor);
    }
    if (current_) {
        throwIfAlError("setting the listener's rolloff factor");
    }
}

}  // namespace earshot
