#include "runtime/coalescing_timer.h"

#include <string>
#include <utility>

#include "game/errors.h"

namespace earshot {

CoalescingTimer::CoalescingTimer(Clock clock) : clock_(std::move(clock)) {}

void CoalescingTimer::setInterval(int milliseconds) {
    if (milliseconds < 0) {
        throw WindowError("The timer's interval cannot be negative (" +
                          std::to_string(milliseconds) + " ms).");
    }
    const std::int64_t interval = std::int64_t{milliseconds} * 1000;
    if (interval == intervalMicroseconds_) {
        return;
    }
    intervalMicroseconds_ = interval;
    if (running()) {
        restart();
    }
}

void CoalescingTimer::setEnabled(bool enabled) {
    const bool wasRunning = running();
    enabled_ = enabled;
    if (!wasRunning && running()) {
        restart();
    }
}

std::optional<std::int64_t> CoalescingTimer::deadline() const {
    if (!running()) {
        return std::nullopt;
    }
    return deadline_;
}

bool CoalescingTimer::due() const { return running() && clock_() >= deadline_; }

bool CoalescingTimer::takeExpiry() {
    if (!running()) {
        return false;
    }
    const std::int64_t now = clock_();
    if (now < deadline_) {
        return false;
    }
    // Whole intervals missed on top of the one that is due now: they are
    // skipped, not delivered as a burst.
    const std::int64_t missed = (now - deadline_) / intervalMicroseconds_;
    deadline_ += (missed + 1) * intervalMicroseconds_;
    return true;
}

bool CoalescingTimer::running() const { return enabled_ && intervalMicroseconds_ > 0; }

void CoalescingTimer::restart() { deadline_ = clock_() + intervalMicroseconds_; }

}  // namespace earshot
