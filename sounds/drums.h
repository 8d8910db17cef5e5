// The percussion of the sound set. Drums and cymbals carry most of the
// energy above 4 kHz that lets a listener place a speaker by ear.
#pragma once

#include <cstdint>
#include <functional>

#include "signal.h"

namespace earshot::sound {

using Drum = std::function<Signal(double velocity, std::uint64_t seed)>;

struct KickTuning {
    double startHz = 150.0;
    double endHz = 48.0;
    double sweep = 0.04;  // time constant of the pitch fall, seconds
    double decay = 0.32;  // time constant of the level, seconds
};

Signal kick(double velocity, std::uint64_t seed, const KickTuning& tuning = {});
Signal snare(double velocity, std::uint64_t seed);
Signal clap(double velocity, std::uint64_t seed);
Signal closedHat(double velocity, std::uint64_t seed);
Signal openHat(double velocity, std::uint64_t seed);
Signal ride(double velocity, std::uint64_t seed);
Signal crash(double velocity, std::uint64_t seed);
Signal tambourine(double velocity, std::uint64_t seed);
Signal shaker(double velocity, std::uint64_t seed);
Signal rim(double velocity, std::uint64_t seed);
Signal brush(double velocity, std::uint64_t seed);

}  // namespace earshot::sound
