// Reads a sound file back through libsndfile, the same reader the game's
// audio uses, for the sound-set tests.
#pragma once

#include <filesystem>
#include <vector>

namespace earshot::sound::test {

struct SoundFile {
    int channels = 0;
    int sampleRate = 0;
    int format = 0;               // libsndfile's SF_FORMAT_* bits
    std::vector<double> samples;  // first channel, full scale = 1
};

// Throws std::runtime_error with libsndfile's reason if the file cannot be read.
SoundFile readSoundFile(const std::filesystem::path& path);

}  // namespace earshot::sound::test
