#include "audio/openal/alc_handles.h"

#include <utility>

namespace earshot {

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

void closeLostDevice(AlcOpened opened) noexcept {
    opened.context.release();
    opened.device = AlcDeviceHandle();
}

}  // namespace earshot
