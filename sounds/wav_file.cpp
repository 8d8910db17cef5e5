#include "wav_file.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace earshot::sound {

namespace {

void putLittleEndian(std::vector<char>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

void putText(std::vector<char>& bytes, const char (&text)[5]) { bytes.insert(bytes.end(), text, text + 4); }

std::int16_t toPcm(double sample) {
    const double scaled = std::floor(sample * 32767.0 + 0.5);
    if (scaled > 32767.0 || scaled < -32768.0) {
        throw std::runtime_error("a sample lies beyond full scale");
    }
    return static_cast<std::int16_t>(scaled);
}

}  // namespace

void writeWav(const std::filesystem::path& path, const Signal& sound) {
    constexpr std::uint32_t channels = 1;
    constexpr std::uint32_t bitsPerSample = 16;
    constexpr std::uint32_t blockAlign = channels * bitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(sound.size() * blockAlign);

    std::vector<char> bytes;
    bytes.reserve(44 + dataBytes);
    putText(bytes, "RIFF");
    putLittleEndian(bytes, 36 + dataBytes, 4);
    putText(bytes, "WAVE");
    putText(bytes, "fmt ");
    putLittleEndian(bytes, 16, 4);  // size of the format chunk
    putLittleEndian(bytes, 1, 2);   // PCM
    putLittleEndian(bytes, channels, 2);
    putLittleEndian(bytes, sampleRate, 4);
    putLittleEndian(bytes, sampleRate * blockAlign, 4);
    putLittleEndian(bytes, blockAlign, 2);
    putLittleEndian(bytes, bitsPerSample, 2);
    putText(bytes, "data");
    putLittleEndian(bytes, dataBytes, 4);
    for (const double sample : sound) {
        putLittleEndian(bytes, static_cast<std::uint16_t>(toPcm(sample)), 2);
    }

    std::filesystem::path partial = path;
    partial += ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            throw std::runtime_error("could not write " + partial.string());
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        throw std::runtime_error("could not move " + partial.string() + " to " + path.string() + ": " + error.message());
    }
}

}  // namespace earshot::sound
