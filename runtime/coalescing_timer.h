// The window's one timer, kept as a deadline on a steady clock. Expiries
// coalesce as a window-system timer's do: however late the event loop
// comes back to it, an overdue timer gives one tick, and the next deadline
// is the first one of the timer's own rhythm that still lies ahead.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace earshot {

class CoalescingTimer {
public:
    // The clock in microseconds; only its differences matter.
    using Clock = std::function<std::int64_t()>;

    explicit CoalescingTimer(Clock clock);

    // An interval of 0 stops the timer. A new interval on a running timer
    // starts its countdown afresh.
    void setInterval(int milliseconds);
    // Enabling a stopped timer starts its countdown from now; enabling a
    // running one changes nothing.
    void setEnabled(bool enabled);

    // The clock time of the next expiry, or nothing while the timer is
    // stopped (disabled or interval 0).
    std::optional<std::int64_t> deadline() const;
    // Whether an expiry is due now.
    bool due() const;
    // Takes the expiry that is due, if any: returns true once and moves the
    // deadline on by one interval, or past the present if the caller fell
    // behind by more than that.
    bool takeExpiry();

private:
    bool running() const;
    void restart();

    Clock clock_;
    std::int64_t intervalMicroseconds_ = 0;
    bool enabled_ = false;
    std::int64_t deadline_ = 0;
};

}  // namespace earshot
