#include "effects.h"

#include <stdexcept>

namespace earshot::sound {

Echo::Echo(std::size_t delaySamples, double feedback, double damping)
    : line_(delaySamples, 0.0), feedback_(feedback), damping_(damping) {
    if (delaySamples == 0) {
        throw std::invalid_argument("an echo needs a delay");
    }
}

double Echo::process(double x) {
    const double delayed = line_[at_];
    line_[at_] = x + feedback_ * damping_.process(delayed);
    if (++at_ == line_.size()) {
        at_ = 0;
    }
    return delayed;
}

Reverb::Reverb(double size, double damping) : feedback_(0.70 + 0.28 * size), damping_(damping) {
    // Mutually prime lengths of some 25 to 37 ms, so the echoes never line up.
    for (const std::size_t length : {1116u, 1188u, 1277u, 1356u, 1422u, 1491u, 1557u, 1617u}) {
        combs_.push_back({std::vector<double>(length, 0.0)});
    }
    for (const std::size_t length : {556u, 441u, 341u, 225u}) {
        allPasses_.push_back({std::vector<double>(length, 0.0)});
    }
}

double Reverb::process(double x) {
    double sum = 0.0;
    for (Comb& c : combs_) {
        const double out = c.line[c.at];
        c.store = out * (1.0 - damping_) + c.store * damping_;
        c.line[c.at] = x * 0.015 + c.store * feedback_;
        if (++c.at == c.line.size()) {
            c.at = 0;
        }
        sum += out;
    }
    for (AllPass& a : allPasses_) {
        const double buffered = a.line[a.at];
        const double out = -sum + buffered;
        a.line[a.at] = sum + buffered * 0.5;
        if (++a.at == a.line.size()) {
            a.at = 0;
        }
        sum = out;
    }
    return sum;
}

}  // namespace earshot::sound
