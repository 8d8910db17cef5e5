// Echo and room reverb, and the two ways to run them: over a loop until they
// have settled (so the result is itself a seamless loop, the tail of the end
// ringing on into the start) or over a one-shot sound with room for its tail.
#pragma once

#include <cstddef>
#include <vector>

#include "filters.h"
#include "signal.h"

namespace earshot::sound {

// A feedback delay whose repeats grow darker.
class Echo {
public:
    Echo(std::size_t delaySamples, double feedback, double damping);
    double process(double x);

private:
    std::vector<double> line_;
    std::size_t at_ = 0;
    double feedback_;
    OnePole damping_;
};

// A small room: parallel damped combs into series all-passes.
class Reverb {
public:
    Reverb(double size, double damping);
    double process(double x);

private:
    struct Comb {
        std::vector<double> line;
        std::size_t at = 0;
        double store = 0.0;
    };
    struct AllPass {
        std::vector<double> line;
        std::size_t at = 0;
    };
    std::vector<Comb> combs_;
    std::vector<AllPass> allPasses_;
    double feedback_;
    double damping_;
};

// Adds `effect`'s output times `wet` into the loop, after running the effect
// round the loop `warmUps` times first so its tail has reached steady state.
template <class Effect>
void addSettled(Signal& loop, Effect effect, double wet, int warmUps = 2) {
    for (int pass = 0; pass < warmUps; ++pass) {
        for (const double sample : loop) {
            effect.process(sample);
        }
    }
    Signal out(loop.size());
    for (std::size_t i = 0; i < loop.size(); ++i) {
        out[i] = effect.process(loop[i]);
    }
    addScaled(loop, out, wet);
}

// Adds `effect`'s output times `wet` into a one-shot sound, which grows by
// `tailSeconds` of silence first so the tail is not cut.
template <class Effect>
void addWithTail(Signal& sound, Effect effect, double wet, double tailSeconds) {
    sound.resize(sound.size() + samplesFor(tailSeconds), 0.0);
    Signal out(sound.size());
    for (std::size_t i = 0; i < sound.size(); ++i) {
        out[i] = effect.process(sound[i]);
    }
    addScaled(sound, out, wet);
}

}  // namespace earshot::sound
