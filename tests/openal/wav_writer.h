// Writes the small sound files the OpenAL tests load.
#pragma once

#include <functional>
#include <string>

namespace earshot::test {

struct WavFormat {
    int subtype = 0x0002;  // SF_FORMAT_PCM_16
    int sampleRate = 44100;
    int channels = 1;
    int frames = 44100;
};

// sample(frame, channel) gives a value in -1 to 1.
using SampleAt = std::function<double(int frame, int channel)>;

// Writes a WAV file into the scratch folder and returns its full path.
std::string writeWav(const std::string& name, const WavFormat& format, const SampleAt& sample);

// A broadband, deterministic test signal (pseudo-random, amplitude 0.3).
double noise(int frame);
// A sine at `hertz`, amplitude 0.5.
double sine(int frame, int sampleRate, double hertz);

}  // namespace earshot::test
