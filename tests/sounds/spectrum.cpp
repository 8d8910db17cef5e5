#include "spectrum.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <stdexcept>

namespace earshot::sound::test {

namespace {

// In-place radix-2 FFT; the size must be a power of two.
void fft(std::vector<std::complex<double>>& data) {
    const std::size_t n = data.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(data[i], data[j]);
        }
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const double angle = -2.0 * std::numbers::pi / static_cast<double>(length);
        const std::complex<double> step(std::cos(angle), std::sin(angle));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> w(1.0, 0.0);
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = data[start + k];
                const std::complex<double> odd = data[start + k + length / 2] * w;
                data[start + k] = even + odd;
                data[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}

}  // namespace

std::vector<double> powerSpectrum(const std::vector<double>& samples, std::size_t frameSize) {
    if (samples.size() < frameSize) {
        throw std::invalid_argument("too few samples for one spectrum frame");
    }
    std::vector<double> window(frameSize);
    for (std::size_t i = 0; i < frameSize; ++i) {
        window[i] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(frameSize));
    }
    std::vector<double> power(frameSize / 2 + 1, 0.0);
    std::vector<std::complex<double>> frame(frameSize);
    for (std::size_t start = 0; start + frameSize <= samples.size(); start += frameSize / 2) {
        for (std::size_t i = 0; i < frameSize; ++i) {
            frame[i] = samples[start + i] * window[i];
        }
        fft(frame);
        for (std::size_t k = 0; k < power.size(); ++k) {
            power[k] += std::norm(frame[k]);
        }
    }
    return power;
}

double shareAbove(const std::vector<double>& samples, double hertz, int sampleRate) {
    const std::vector<double> power = powerSpectrum(samples);
    const double binHertz = static_cast<double>(sampleRate) / static_cast<double>(2 * (power.size() - 1));
    double total = 0.0;
    double above = 0.0;
    for (std::size_t k = 1; k < power.size(); ++k) {  // bin 0 is the DC offset, not sound
        total += power[k];
        if (static_cast<double>(k) * binHertz >= hertz) {
            above += power[k];
        }
    }
    return total > 0.0 ? above / total : 0.0;
}

std::vector<double> octaveBands(const std::vector<double>& samples, int sampleRate) {
    const std::vector<double> power = powerSpectrum(samples);
    const double binHertz = static_cast<double>(sampleRate) / static_cast<double>(2 * (power.size() - 1));
    std::vector<double> bands(10, 0.0);  // 31.5, 63, 125, ... 16000 Hz
    double total = 0.0;
    for (std::size_t k = 1; k < power.size(); ++k) {
        const double hertz = static_cast<double>(k) * binHertz;
        // Band b spans centre/sqrt2 .. centre*sqrt2 around 31.25 * 2^b.
        const double position = std::log2(hertz / 31.25) + 0.5;
        const auto band = static_cast<long>(std::floor(position));
        if (band >= 0 && band < static_cast<long>(bands.size())) {
            bands[static_cast<std::size_t>(band)] += power[k];
        }
        total += power[k];
    }
    for (double& b : bands) {
        b /= total;
    }
    return bands;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size() || a.empty()) {
        throw std::invalid_argument("correlation needs two lists of one length");
    }
    const double n = static_cast<double>(a.size());
    double meanA = 0.0, meanB = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        meanA += a[i] / n;
        meanB += b[i] / n;
    }
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - meanA) * (b[i] - meanB);
        aa += (a[i] - meanA) * (a[i] - meanA);
        bb += (b[i] - meanB) * (b[i] - meanB);
    }
    return ab / std::sqrt(aa * bb);
}

}  // namespace earshot::sound::test
