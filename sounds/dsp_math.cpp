#include "dsp_math.h"

#include <cmath>
#include <stdexcept>

namespace earshot::sound {

double sinCycles(double cycles) {
    // Reduce to [-1/2, 1/2) cycles, then fold onto [-1/4, 1/4] by symmetry.
    double r = cycles - std::floor(cycles + 0.5);
    if (r > 0.25) {
        r = 0.5 - r;
    } else if (r < -0.25) {
        r = -0.5 - r;
    }
    const double x = 2.0 * pi * r;
    const double x2 = x * x;
    // Taylor series to x^19: off by less than 3e-16 on [-pi/2, pi/2].
    double s = -1.0 / 121645100408832000.0;
    s = s * x2 + 1.0 / 355687428096000.0;
    s = s * x2 - 1.0 / 1307674368000.0;
    s = s * x2 + 1.0 / 6227020800.0;
    s = s * x2 - 1.0 / 39916800.0;
    s = s * x2 + 1.0 / 362880.0;
    s = s * x2 - 1.0 / 5040.0;
    s = s * x2 + 1.0 / 120.0;
    s = s * x2 - 1.0 / 6.0;
    s = s * x2 + 1.0;
    return x * s;
}

double expOf(double x) {
    if (x < -700.0) {
        return 0.0;
    }
    if (x > 700.0) {
        x = 700.0;
    }
    // x = k ln2 + r with |r| <= ln2 / 2; ln2 split in two for an exact k ln2.
    constexpr double ln2High = 0.693147180369123816490;
    constexpr double ln2Low = 1.90821492927058770002e-10;
    const double k = std::floor(x / 0.69314718055994530942 + 0.5);
    const double r = (x - k * ln2High) - k * ln2Low;
    // Taylor series to r^13 (Horner): off by less than 1e-16 for |r| <= 0.35.
    double sum = 1.0 / 6227020800.0;
    sum = sum * r + 1.0 / 479001600.0;
    sum = sum * r + 1.0 / 39916800.0;
    sum = sum * r + 1.0 / 3628800.0;
    sum = sum * r + 1.0 / 362880.0;
    sum = sum * r + 1.0 / 40320.0;
    sum = sum * r + 1.0 / 5040.0;
    sum = sum * r + 1.0 / 720.0;
    sum = sum * r + 1.0 / 120.0;
    sum = sum * r + 1.0 / 24.0;
    sum = sum * r + 1.0 / 6.0;
    sum = sum * r + 0.5;
    sum = sum * r + 1.0;
    sum = sum * r + 1.0;
    return std::ldexp(sum, static_cast<int>(k));
}

double logOf(double x) {
    if (!(x > 0.0)) {
        throw std::domain_error("logarithm of a number that is not positive");
    }
    // x = m 2^e with m in [sqrt(1/2), sqrt(2)); ln m = 2 atanh((m - 1) / (m + 1)).
    int exponent = 0;
    double m = std::frexp(x, &exponent);
    if (m < 0.70710678118654752440) {
        m *= 2.0;
        --exponent;
    }
    const double u = (m - 1.0) / (m + 1.0);
    const double u2 = u * u;
    double sum = 0.0;
    double power = u;
    for (int k = 0; k < 12; ++k) {
        sum += power / static_cast<double>(2 * k + 1);
        power *= u2;
    }
    return 2.0 * sum + static_cast<double>(exponent) * 0.69314718055994530942;
}

double powOf(double x, double y) { return expOf(y * logOf(x)); }

double exp2Of(double x) { return expOf(x * 0.69314718055994530942); }

double tanhOf(double x) {
    if (x > 20.0) {
        return 1.0;
    }
    if (x < -20.0) {
        return -1.0;
    }
    const double e = expOf(2.0 * x);
    return (e - 1.0) / (e + 1.0);
}

double midiFrequency(double midi) { return 440.0 * exp2Of((midi - 69.0) / 12.0); }

double decibelGain(double db) { return expOf(db * 0.11512925464970228420); }

}  // namespace earshot::sound
