#include "wav_reader.h"

#include <sndfile.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace earshot::sound::test {

namespace {

struct CloseSoundFile {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

}  // namespace

SoundFile readSoundFile(const std::filesystem::path& path) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, CloseSoundFile> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        throw std::runtime_error("cannot read " + path.string() + ": " + sf_strerror(nullptr));
    }
    SoundFile sound;
    sound.channels = info.channels;
    sound.sampleRate = info.samplerate;
    sound.format = info.format;
    // Shorts, so a sample reads back as exactly the integer in the file.
    std::vector<short> frames(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_short(file.get(), frames.data(), info.frames);
    if (read != info.frames) {
        throw std::runtime_error("short read from " + path.string());
    }
    sound.samples.reserve(static_cast<std::size_t>(info.frames));
    for (sf_count_t i = 0; i < info.frames; ++i) {
        sound.samples.push_back(frames[static_cast<std::size_t>(i * info.channels)] / 32768.0);
    }
    return sound;
}

}  // namespace earshot::sound::test
