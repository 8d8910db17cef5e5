#include "audio/openal/stall_watch.h"

namespace earshot {

bool StallWatch::stalled(std::int64_t playbackClock, Clock::time_point now) {
    if (!last_ || last_->clock != playbackClock) {
        last_ = Look{playbackClock, now};
        return false;
    }
    return now - last_->since >= limit_;
}

}  // namespace earshot
