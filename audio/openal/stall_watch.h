// Tells an output that has stopped playing from one that plays. A sound
// server that is stopped (not gone) leaves its device connected and every
// source playing while nothing moves on: the one sign is a playback clock
// that stands still while time goes by.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace earshot {

class StallWatch {
public:
    using Clock = std::chrono::steady_clock;

    explicit StallWatch(std::chrono::milliseconds limit) : limit_(limit) {}

    // One look at the playback clock (any unit that grows while it plays),
    // at `now`. True once the clock has shown the same value for `limit`.
    bool stalled(std::int64_t playbackClock, Clock::time_point now);

    // Forgets what it saw: the next look starts afresh.
    void reset() { last_.reset(); }

private:
    struct Look {
        std::int64_t clock;
        Clock::time_point since;
    };

    std::chrono::milliseconds limit_;
    std::optional<Look> last_;
};

}  // namespace earshot
