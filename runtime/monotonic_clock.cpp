#include "runtime/monotonic_clock.h"

#include <cerrno>
#include <ctime>

namespace earshot {

std::int64_t monotonicMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000 + now.tv_nsec / 1000;
}

void sleepUntilMonotonicMicroseconds(std::int64_t deadline) {
    timespec until{};
    until.tv_sec = static_cast<time_t>(deadline / 1'000'000);
    until.tv_nsec = static_cast<long>((deadline % 1'000'000) * 1000);
    // An absolute deadline: a signal that interrupts the sleep does not
    // stretch it when it is resumed.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

}  // namespace earshot
