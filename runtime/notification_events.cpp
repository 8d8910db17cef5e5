#include "runtime/notification_events.h"

#include "game/errors.h"

namespace earshot {

NotificationEvents& NotificationEvents::processWide() {
    static NotificationEvents events;
    return events;
}

std::int32_t NotificationEvents::create(DirectXEvent8* target) {
    if (target == nullptr) {
        throw InputError("A notification event needs a callback target.");
    }
    ++lastHandle_;
    targets_[lastHandle_] = target;
    return lastHandle_;
}

bool NotificationEvents::exists(std::int32_t handle) const { return targets_.contains(handle); }

void NotificationEvents::signal(std::int32_t handle) {
    const auto found = targets_.find(handle);
    if (found != targets_.end()) {
        found->second->DXCallback(handle);
    }
}

}  // namespace earshot
