// Writes a sound as the game reads it: a RIFF WAVE file, 16-bit PCM, mono,
// 44100 Hz.
#pragma once

#include <filesystem>

#include "signal.h"

namespace earshot::sound {

// Writes next to `path` first and renames, so no half-written file is ever
// seen under the real name. Throws std::runtime_error naming the file.
void writeWav(const std::filesystem::path& path, const Signal& sound);

}  // namespace earshot::sound
