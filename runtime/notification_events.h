// The notification events that buffered input signals. An event belongs to
// the process, not to the root object that made it: the game replaces its
// root at the game start but keeps the mouse's event.
#pragma once

#include <cstdint>
#include <map>

#include "input/direct_input.h"

namespace earshot {

class NotificationEvents {
public:
    // The events of this process.
    static NotificationEvents& processWide();

    // Makes an event whose signal calls target->DXCallback(handle); returns
    // the handle (never 0). The target must outlive the event's use.
    std::int32_t create(DirectXEvent8* target);
    bool exists(std::int32_t handle) const;
    // Calls the event's target right away, on the calling thread, which is
    // the event thread. A handle that names no event does nothing.
    void signal(std::int32_t handle);

private:
    std::map<std::int32_t, DirectXEvent8*> targets_;
    std::int32_t lastHandle_ = 0;
};

}  // namespace earshot
