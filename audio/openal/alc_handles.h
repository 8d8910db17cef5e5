// Owning handles of an ALC device and context, and a device opened together
// with its context, which is what an opener hands over.
#pragma once

#include <AL/alc.h>

#include <functional>

namespace earshot {

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
    // Lets go of the context without destroying it: closing its device
    // takes it down with it.
    void release() noexcept { context_ = nullptr; }

private:
    ALCcontext* context_ = nullptr;
};

// A device with its one context, not yet current. Members are destroyed
// in reverse order: the context before its device.
struct AlcOpened {
    AlcDeviceHandle device;
    AlcContextHandle context;
    bool loopback = false;
};

// Opens a device with its context; throws AudioError when it cannot.
using AlcOpener = std::function<AlcOpened()>;

// Closes a device that has gone away or stopped answering. Destroying its
// context first would stop its playback under OpenAL's global lock, and a
// stopped sound server holds that stop for as long as it is stopped; a
// device closed with its context in it lets go of that lock first. The
// context must not be current.
void closeLostDevice(AlcOpened opened) noexcept;

}  // namespace earshot
