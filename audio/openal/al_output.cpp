#include "audio/openal/al_output.h"

#include <AL/alext.h>

#include <algorithm>
#include <iostream>
#include <mutex>
#include <utility>

#include "game/errors.h"
#include "game/sentences.h"

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

AlcDeviceHandle::~AlcDeviceHandle() {
    if (device_ != nullptr) {
        alcCloseDevice(device_);
    }
}

AlcDeviceHandle::AlcDeviceHandle(AlcDeviceHandle&& other) noexcept
    : device_(std::exchange(other.device_, nullptr)) {}

AlcDeviceHandle& AlcDeviceHandle::operator=(AlcDeviceHandle&& other) noexcept {
    if (this != &other) {
        if (device_ != nullptr) {
            alcCloseDevice(device_);
        }
        device_ = std::exchange(other.device_, nullptr);
    }
    return *this;
}

AlcContextHandle::~AlcContextHandle() {
    if (context_ != nullptr) {
        if (alcGetCurrentContext() == context_) {
            alcMakeContextCurrent(nullptr);
        }
        alcDestroyContext(context_);
    }
}

AlcContextHandle::AlcContextHandle(AlcContextHandle&& other) noexcept
    : context_(std::exchange(other.context_, nullptr)) {}

AlcContextHandle& AlcContextHandle::operator=(AlcContextHandle&& other) noexcept {
    if (this != &other) {
        AlcContextHandle old(std::move(*this));
        context_ = std::exchange(other.context_, nullptr);
    }
    return *this;
}

std::shared_ptr<AlOutput> AlOutput::shared() {
    const std::lock_guard lock(outputMutex);
    if (auto output = currentOutput.lock()) {
        return output;
    }
    AlcDeviceHandle device(alcOpenDevice(nullptr));
    if (device.get() == nullptr) {
        throw AudioError(sentence("cannot open the audio output: there is no audio device"), {});
    }
    auto output = finishOpening(std::move(device), false, {ALC_HRTF_SOFT, ALC_TRUE, 0});
    currentOutput = output;
    return output;
}

std::shared_ptr<AlOutput> AlOutput::openLoopback(int sampleRate) {
    const std::lock_guard lock(outputMutex);
    if (!currentOutput.expired()) {
        throw AudioError("cannot open the loopback audio output: another audio output is open");
    }
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") != ALC_TRUE) {
        throw AudioError("cannot open the loopback audio output: OpenAL lacks ALC_SOFT_loopback");
    }
    const auto openDevice =
        loopbackFunction<LPALCLOOPBACKOPENDEVICESOFT>("alcLoopbackOpenDeviceSOFT");
    const auto formatSupported =
        loopbackFunction<LPALCISRENDERFORMATSUPPORTEDSOFT>("alcIsRenderFormatSupportedSOFT");
    AlcDeviceHandle device(openDevice(nullptr));
    if (device.get() == nullptr) {
        throw AudioError("cannot open the loopback audio output: OpenAL refused the device");
    }
    if (formatSupported(device.get(), sampleRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT) != ALC_TRUE) {
        throw AudioError("cannot open the loopback audio output: stereo float at " +
                         std::to_string(sampleRate) + " Hz is not supported");
    }
    auto output = finishOpening(std::move(device), true,
                                {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                 ALC_FLOAT_SOFT, ALC_FREQUENCY, sampleRate, ALC_HRTF_SOFT,
                                 ALC_TRUE, 0});
    currentOutput = output;
    return output;
}

std::shared_ptr<AlOutput> AlOutput::finishOpening(AlcDeviceHandle device, bool loopback,
                                                  const std::vector<ALCint>& attributes) {
    auto output = std::make_shared<AlOutput>(Token{}, std::move(device), loopback);
    ALCdevice* raw = output->device_.get();
    output->context_ = AlcContextHandle(alcCreateContext(raw, attributes.data()));
    if (output->context_.get() == nullptr) {
        const ALCenum error = alcGetError(raw);
        throw AudioError(std::string("cannot open the audio output: no audio context (OpenAL ") +
                         alcErrorText(error) + ")");
    }
    if (alcMakeContextCurrent(output->context_.get()) != ALC_TRUE) {
        throw AudioError("cannot open the audio output: its context cannot be made current");
    }
    // The scene's sounds keep full level up to their minimum distance and
    // fall as (minimum / distance) ^ rolloff up to their maximum distance.
    alDistanceModel(AL_EXPONENT_DISTANCE_CLAMPED);
    throwIfAlError("setting the distance model");
    if (!output->hrtfEnabled()) {
        output->reportMissingHrtf();
    }
    return output;
}

AlOutput::AlOutput(Token, AlcDeviceHandle device, bool loopback)
    : device_(std::move(device)), loopback_(loopback) {}

AlOutput::~AlOutput() = default;

void AlOutput::render(float* interleavedStereo, int frames) {
    if (!loopback_) {
        throw AudioError("rendering audio offline needs a loopback output");
    }
    static const auto renderSamples =
        loopbackFunction<LPALCRENDERSAMPLESSOFT>("alcRenderSamplesSOFT");
    renderSamples(device_.get(), interleavedStereo, frames);
    throwIfAlcError(device_.get(), "rendering audio");
}

bool AlOutput::hrtfEnabled() const {
    ALCint enabled = ALC_FALSE;
    alcGetIntegerv(device_.get(), ALC_HRTF_SOFT, 1, &enabled);
    return enabled == ALC_TRUE;
}

std::string AlOutput::hrtfStatusText() const {
    ALCint status = -1;
    alcGetIntegerv(device_.get(), ALC_HRTF_STATUS_SOFT, 1, &status);
    std::string text = hrtfStatusWords(status);
    if (hrtfEnabled()) {
        const ALCchar* name = alcGetString(device_.get(), ALC_HRTF_SPECIFIER_SOFT);
        if (name != nullptr && *name != '\0') {
            text += std::string(" (") + name + ")";
        }
    }
    return text;
}

int AlOutput::sampleRate() const {
    ALCint rate = 0;
    alcGetIntegerv(device_.get(), ALC_FREQUENCY, 1, &rate);
    return rate;
}

void AlOutput::registerSource(ALuint source) {
    alSourcef(source, AL_ROLLOFF_FACTOR, rolloffFactor_);
    throwIfAlError("setting a sound's rolloff factor");
    spatialSources_.push_back(source);
}

void AlOutput::unregisterSource(ALuint source) {
    std::erase(spatialSources_, source);
}

void AlOutput::setRolloffFactor(float factor) {
    if (!(factor >= 0.0F)) {
        throw AudioError("setting the listener's rolloff factor failed: it must not be negative");
    }
    for (const ALuint source : spatialSources_) {
        alSourcef(source, AL_ROLLOFF_FACTOR, factor);
    }
    throwIfAlError("setting the listener's rolloff factor");
    rolloffFactor_ = factor;
}

void AlOutput::reportMissingHrtf() const {
    std::cerr << "3D sound is without HRTF: " << hrtfStatusText() << "\n";
}

}  // namespace earshot
