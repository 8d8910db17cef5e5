// The system mouse as a buffered input device, fed by the window's SDL
// mouse events. While acquired it holds the mouse captured for the window
// and keeps up to the buffer size of records: everything that came while
// the game's thread was busy is gathered into the buffer as the runtime
// takes it from SDL's queue, the oldest records kept and the rest dropped
// (never grown into), and the read still succeeds. Once the runtime has
// taken all that was waiting, one signal of the notification event, on the
// event thread, tells the game that records came. When the window loses
// the focus the mouse is taken away: the buffer is emptied, the event
// signalled and every read fails until the window has the focus again,
// which acquires it anew. The window is the one named by
// SetCooperativeLevel (its SDL window id).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "input/direct_input.h"
#include "runtime/notification_events.h"
#include "runtime/pointer_capture.h"
#include "runtime/sdl_event_sinks.h"

namespace earshot {

class SdlMouseDevice final : public DirectInputDevice8, public SdlEventSink {
public:
    SdlMouseDevice(std::unique_ptr<PointerCapture> capture, NotificationEvents& events);
    ~SdlMouseDevice() override;

    void SetCommonDataFormat(std::int32_t format) override;
    void SetCooperativeLevel(std::intptr_t windowHandle, std::int32_t flags) override;
    void SetProperty(const std::string& name, const DIPROPLONG& value) override;
    void SetEventNotification(std::int32_t eventHandle) override;
    void Acquire() override;
    void Unacquire() override;
    std::int32_t GetDeviceData(std::span<DIDEVICEOBJECTDATA> records, std::int32_t flags) override;

    void takeSdlEvent(const SDL_Event& event) override;
    void notifyGame() override;

private:
    enum class State { NotAcquired, Acquired, TakenAway };

    void acquireNow();
    void takeAway();
    void store(const SDL_Event& event);
    void signal();

    std::unique_ptr<PointerCapture> capture_;
    NotificationEvents& events_;
    bool hasFormat_ = false;
    // The window whose focus the mouse follows (an SDL window id).
    std::intptr_t windowHandle_ = 0;
    std::size_t bufferSize_ = 0;
    std::int32_t eventHandle_ = 0;
    State state_ = State::NotAcquired;
    std::deque<DIDEVICEOBJECTDATA> buffer_;
    std::uint32_t sequence_ = 0;
    // Records came, or the mouse was taken away, since the last signal.
    bool unheard_ = false;
};

}  // namespace earshot
