// The game's random numbers: uniform Singles in [0, 1), from a generator
// that can be reseeded from the clock.
#pragma once

#include <cstdint>
#include <random>

namespace earshot {

// The Single in [0, 1) that 32 random bits give: their top 24 bits over
// 2^24, so every value is exact in a float and 1 is never reached.
float singleFromBits(std::uint32_t bits);

class RandomSingles {
public:
    // A fixed start seed, as a run that never reseeds repeats its numbers.
    RandomSingles();

    float next();
    void reseed(std::uint64_t seed);
    // Reseeds from the clock, so that each reseed starts a new sequence.
    void reseedFromClock();

private:
    std::mt19937 generator_;
};

}  // namespace earshot
