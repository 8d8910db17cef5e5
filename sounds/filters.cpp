#include "filters.h"

#include "dsp_math.h"
#include "signal.h"

namespace earshot::sound {

namespace {

struct Angle {
    double cosine;
    double alpha;
};

Angle angleFor(double frequency, double q) {
    const double cycles = frequency / sampleRate;
    return {cosCycles(cycles), sinCycles(cycles) / (2.0 * q)};
}

}  // namespace

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

Biquad Biquad::lowPass(double frequency, double q) {
    const Angle w = angleFor(frequency, q);
    return Biquad((1.0 - w.cosine) / 2.0, 1.0 - w.cosine, (1.0 - w.cosine) / 2.0, 1.0 + w.alpha,
                  -2.0 * w.cosine, 1.0 - w.alpha);
}

Biquad Biquad::highPass(double frequency, double q) {
    const Angle w = angleFor(frequency, q);
    return Biquad((1.0 + w.cosine) / 2.0, -(1.0 + w.cosine), (1.0 + w.cosine) / 2.0, 1.0 + w.alpha,
                  -2.0 * w.cosine, 1.0 - w.alpha);
}

Biquad Biquad::bandPass(double frequency, double q) {
    const Angle w = angleFor(frequency, q);
    return Biquad(w.alpha, 0.0, -w.alpha, 1.0 + w.alpha, -2.0 * w.cosine, 1.0 - w.alpha);
}

OnePole::OnePole(double frequency) : a_(1.0 - expOf(-2.0 * pi * frequency / sampleRate)) {}

}  // namespace earshot::sound
