// The program's steady clock (CLOCK_MONOTONIC) in microseconds, and a sleep
// until a time on it that wakes as close to that time as the system can.
#pragma once

#include <cstdint>

namespace earshot {

std::int64_t monotonicMicroseconds();

// Returns at or after the deadline; at once if it has passed.
void sleepUntilMonotonicMicroseconds(std::int64_t deadline);

}  // namespace earshot
