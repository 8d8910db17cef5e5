// The generator's own noise source: SplitMix64 with fixed seeds, so that the
// hi-hats and breath noises come out the same on every build and every
// standard library.
#pragma once

#include <cstdint>

namespace earshot::sound {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1), 53 random bits.
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    // Uniform in [-1, 1).
    double bipolar() { return 2.0 * uniform() - 1.0; }

private:
    std::uint64_t state_;
};

// A seed for one named part of one piece, so that parts do not share noise.
constexpr std::uint64_t seedFor(std::uint64_t piece, std::uint64_t part) {
    return piece * 0x100000001B3ull ^ (part + 0x51ED27ull) * 0x9E3779B97F4A7C15ull;
}

}  // namespace earshot::sound
