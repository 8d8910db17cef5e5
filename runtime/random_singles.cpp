#include "runtime/random_singles.h"

#include <chrono>

namespace earshot {

float singleFromBits(std::uint32_t bits) {
    constexpr double scale = 1.0 / 16777216.0;  // 2^-24
    return static_cast<float>(static_cast<double>(bits >> 8) * scale);
}

RandomSingles::RandomSingles() = default;

float RandomSingles::next() { return singleFromBits(static_cast<std::uint32_t>(generator_())); }

void RandomSingles::reseed(std::uint64_t seed) {
    // Seeds a few nanoseconds apart must still give unrelated sequences.
    std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
    generator_.seed(sequence);
}

void RandomSingles::reseedFromClock() {
    using std::chrono::nanoseconds;
    const auto steady = std::chrono::duration_cast<nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    const auto wall = std::chrono::duration_cast<nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    // The steady clock differs between two quick reseeds; the wall clock
    // differs between two runs of the program.
    std::seed_seq sequence{static_cast<std::uint32_t>(steady.count()),
                           static_cast<std::uint32_t>(steady.count() >> 32),
                           static_cast<std::uint32_t>(wall.count()),
                           static_cast<std::uint32_t>(wall.count() >> 32)};
    generator_.seed(sequence);
}

}  // namespace earshot
