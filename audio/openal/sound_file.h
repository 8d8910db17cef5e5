// Reading a whole sound file into memory as one mono channel, ready to be
// handed to OpenAL. Only mono sounds can be placed in 3D, so files with
// more channels are mixed down to their average.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace earshot {

struct MonoSound {
    int sampleRate = 0;
    // Exactly one of the two holds the samples: 16-bit for files of 8 or
    // 16 bits, float (-1 to 1) for the deeper and float formats.
    std::vector<std::int16_t> pcm16;
    std::vector<float> pcmFloat;

    std::size_t frames() const { return pcm16.empty() ? pcmFloat.size() : pcm16.size(); }
};

// Reads any file libsndfile reads. A missing, empty, truncated or
// non-audio file, or one with no sound in it, throws AudioError
// "cannot load sound file <path>: <reason>".
MonoSound readMonoSound(const std::string& path);

}  // namespace earshot
