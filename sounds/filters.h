// Second-order filters (the usual audio biquads) for shaping noise and
// darkening echoes; coefficients from the generator's own sine.
#pragma once

namespace earshot::sound {

class Biquad {
public:
    static Biquad lowPass(double frequency, double q);
    static Biquad highPass(double frequency, double q);
    // Band pass with 0 dB at the centre.
    static Biquad bandPass(double frequency, double q);

    double process(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);

    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};

// One-pole low pass, for damping inside feedback loops.
class OnePole {
public:
    explicit OnePole(double frequency);
    double process(double x) {
        y_ += a_ * (x - y_);
        return y_;
    }

private:
    double a_;
    double y_ = 0.0;
};

}  // namespace earshot::sound
