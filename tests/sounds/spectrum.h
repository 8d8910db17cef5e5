// Spectral measures the sound-set tests apply to the files: the share of
// energy above a frequency and the energy per octave band, both from an
// averaged power spectrum (Hann-windowed FFT frames, half overlapping).
#pragma once

#include <cstddef>
#include <vector>

namespace earshot::sound::test {

// Power per FFT bin (frameSize / 2 + 1 bins), summed over all frames.
std::vector<double> powerSpectrum(const std::vector<double>& samples, std::size_t frameSize = 4096);

// Share of the power at or above `hertz`, 0..1.
double shareAbove(const std::vector<double>& samples, double hertz, int sampleRate);

// Power in octave bands with centres 31.5 Hz .. 16 kHz, as shares of the total.
std::vector<double> octaveBands(const std::vector<double>& samples, int sampleRate);

// Pearson correlation of two equally long lists.
double correlation(const std::vector<double>& a, const std::vector<double>& b);

}  // namespace earshot::sound::test
