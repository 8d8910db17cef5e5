#include "runtime/sdl_mouse_device.h"

#include <algorithm>
#include <string>
#include <utility>

#include "game/errors.h"
#include "runtime/sdl_mouse_records.h"

namespace earshot {

namespace {

// Read the records without taking them out of the buffer.
inline constexpr std::int32_t DIGDD_PEEK = 1;

}  // namespace

SdlMouseDevice::SdlMouseDevice(std::unique_ptr<PointerCapture> capture, NotificationEvents& events)
    : capture_(std::move(capture)), events_(events) {}

SdlMouseDevice::~SdlMouseDevice() {
    if (state_ == State::Acquired) {
        capture_->release();
    }
}

void SdlMouseDevice::SetCommonDataFormat(std::int32_t format) {
    if (format != DIFORMAT_MOUSE) {
        throw InputError("The mouse knows only the mouse data format, not format " +
                         std::to_string(format) + ".");
    }
    hasFormat_ = true;
}

void SdlMouseDevice::SetCooperativeLevel(std::intptr_t windowHandle, std::int32_t flags) {
    // The mouse is held exclusively while its window is in the foreground;
    // no other way of sharing it is offered.
    if (flags != (DISCL_EXCLUSIVE | DISCL_FOREGROUND)) {
        throw InputError("The mouse can only be held exclusively in the foreground (flags 5), not "
                         "with flags " +
                         std::to_string(flags) + ".");
    }
    windowHandle_ = windowHandle;
}

void SdlMouseDevice::SetProperty(const std::string& name, const DIPROPLONG& value) {
    if (name != DIPROP_BUFFERSIZE) {
        throw InputError("The mouse has no property " + name + ".");
    }
    if (value.lHow != DIPH_DEVICE || value.lObj != 0) {
        throw InputError("The mouse's buffer size belongs to the whole device.");
    }
    if (value.lData < 0) {
        throw InputError("The mouse's buffer size cannot be negative (" +
                         std::to_string(value.lData) + ").");
    }
    if (state_ == State::Acquired) {
        throw InputError("The mouse's buffer size cannot change while the mouse is acquired.");
    }
    bufferSize_ = static_cast<std::size_t>(value.lData);
    buffer_.clear();
}

void SdlMouseDevice::SetEventNotification(std::int32_t eventHandle) {
    if (eventHandle != 0 && !events_.exists(eventHandle)) {
        throw InputError("There is no notification event with handle " +
                         std::to_string(eventHandle) + ".");
    }
    eventHandle_ = eventHandle;
}

void SdlMouseDevice::Acquire() {
    if (!hasFormat_) {
        throw InputError("The mouse cannot be acquired before it has its data format.");
    }
    if (state_ != State::Acquired) {
        acquireNow();
    }
}

void SdlMouseDevice::Unacquire() {
    if (state_ == State::Acquired) {
        capture_->release();
    }
    state_ = State::NotAcquired;
    // A mouse the game let go of tells it nothing more.
    unheard_ = false;
}

std::int32_t SdlMouseDevice::GetDeviceData(std::span<DIDEVICEOBJECTDATA> records,
                                           std::int32_t flags) {
    if (state_ == State::TakenAway) {
        throw InputError(
            "the mouse was taken away because the game window lost the focus; it comes back when "
            "the window has the focus again.");
    }
    if (state_ != State::Acquired) {
        throw InputError("the mouse is not acquired.");
    }
    if (flags != 0 && flags != DIGDD_PEEK) {
        throw InputError("The mouse cannot read with flags " + std::to_string(flags) + ".");
    }
    const std::size_t count = std::min(records.size(), buffer_.size());
    std::copy_n(buffer_.begin(), count, records.begin());
    if (flags != DIGDD_PEEK) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
    }
    return static_cast<std::int32_t>(count);
}

void SdlMouseDevice::takeSdlEvent(const SDL_Event& event) {
    if (event.type == SDL_WINDOWEVENT) {
        // Only the focus of the mouse's own window counts.
        if (windowHandle_ != 0 && static_cast<std::intptr_t>(event.window.windowID) != windowHandle_) {
            return;
        }
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && state_ == State::Acquired) {
            takeAway();
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED &&
                   state_ == State::TakenAway) {
            acquireNow();
        }
        return;
    }
    if (state_ == State::Acquired) {
        store(event);
    }
}

void SdlMouseDevice::notifyGame() {
    if (unheard_) {
        unheard_ = false;
        signal();
    }
}

void SdlMouseDevice::acquireNow() {
    capture_->capture();
    state_ = State::Acquired;
}

void SdlMouseDevice::takeAway() {
    capture_->release();
    state_ = State::TakenAway;
    buffer_.clear();
    // The game hears of the loss through its usual read, which now fails.
    unheard_ = true;
}

void SdlMouseDevice::store(const SDL_Event& event) {
    const MouseRecords fresh = mouseRecords(event, static_cast<std::int32_t>(sequence_ + 1));
    if (fresh.count == 0) {
        return;
    }
    ++sequence_;
    for (std::size_t i = 0; i < fresh.count; ++i) {
        // A full buffer drops what comes: the game has not read in time.
        if (buffer_.size() < bufferSize_) {
            buffer_.push_back(fresh.records[i]);
            unheard_ = true;
        }
    }
}

void SdlMouseDevice::signal() {
    if (eventHandle_ != 0) {
        events_.signal(eventHandle_);
    }
}

}  // namespace earshot
