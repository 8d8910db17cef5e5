#include "audio/openal/sound_file.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "game/errors.h"
#include "game/sentences.h"

namespace earshot {

namespace {

// `why` is one of the game's sentences, with the path as its first value.
[[noreturn]] void fail(const char* why, std::vector<std::string> values) {
    throw AudioError(why, std::move(values));
}

// Owns an open libsndfile handle.
class SndFile {
public:
    explicit SndFile(const std::string& path) : handle_(sf_open(path.c_str(), SFM_READ, &info_)) {
        if (handle_ == nullptr) {
            std::string reason = sf_strerror(nullptr);
            while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) {
                reason.pop_back();
            }
            fail(sentence("cannot load sound file %s: not a sound file that can be read (%s)"), {path, reason});
        }
    }
    ~SndFile() { sf_close(handle_); }
    SndFile(const SndFile&) = delete;
    SndFile& operator=(const SndFile&) = delete;

    SNDFILE* get() const { return handle_; }
    const SF_INFO& info() const { return info_; }

private:
    SF_INFO info_{};
    SNDFILE* handle_;
};

std::uint32_t littleEndian32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8U) |
           (std::uint32_t{bytes[2]} << 16U) | (std::uint32_t{bytes[3]} << 24U);
}

// libsndfile quietly reads what is there of a WAV file whose sound data
// was cut off. A cut-off file is a damaged copy, so we say so instead. The
// sizes 0 and 0xFFFFFFFF are left alone: streaming writers put them there
// when they cannot know the length.
struct Truncation {
    std::uintmax_t present;  // bytes of sound data in the file
    std::uint32_t size;      // bytes the header promises
};

std::optional<Truncation> wavTruncation(const std::string& path, std::uintmax_t fileSize) {
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 12> riff{};
    if (!in.read(reinterpret_cast<char*>(riff.data()), riff.size()) ||
        std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    std::uintmax_t offset = riff.size();
    std::array<unsigned char, 8> chunk{};
    while (in.read(reinterpret_cast<char*>(chunk.data()), chunk.size())) {
        offset += chunk.size();
        const std::uint32_t size = littleEndian32(chunk.data() + 4);
        if (std::memcmp(chunk.data(), "data", 4) == 0) {
            const std::uintmax_t present = fileSize - offset;
            if (size != 0 && size != 0xFFFFFFFFU && size > present) {
                return Truncation{present, size};
            }
            return std::nullopt;
        }
        offset += size + (size & 1U);
        in.seekg(static_cast<std::streamoff>(offset));
    }
    return std::nullopt;
}

bool fitsIn16Bits(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW: return true;
    default: return false;
    }
}

// Reads all frames in blocks and keeps the average of the channels.
template <typename Sample, typename Read, typename Store>
std::size_t readAveraged(const SndFile& file, Read read, Store store) {
    const int channels = file.info().channels;
    constexpr sf_count_t blockFrames = 4096;
    std::vector<Sample> block(static_cast<std::size_t>(blockFrames * channels));
    std::size_t total = 0;
    for (;;) {
        const sf_count_t got = read(file.get(), block.data(), blockFrames);
        if (got <= 0) {
            break;
        }
        for (sf_count_t frame = 0; frame < got; ++frame) {
            double sum = 0.0;
            for (int channel = 0; channel < channels; ++channel) {
                sum += block[static_cast<std::size_t>(frame * channels + channel)];
            }
            store(sum / channels);
        }
        total += static_cast<std::size_t>(got);
    }
    return total;
}

}  // namespace

MonoSound readMonoSound(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        fail(sentence("cannot load sound file %s: there is no such file"), {path});
    }
    if (std::filesystem::is_directory(status)) {
        fail(sentence("cannot load sound file %s: it is a folder, not a file"), {path});
    }
    const std::uintmax_t fileSize = std::filesystem::file_size(path, error);
    if (error) {
        fail(sentence("cannot load sound file %s: %s"), {path, error.message()});
    }
    if (fileSize == 0) {
        fail(sentence("cannot load sound file %s: the file is empty"), {path});
    }
    if (auto truncation = wavTruncation(path, fileSize)) {
        fail(sentence("cannot load sound file %s: the file is truncated: its sound data stops after "
                      "%s of %s bytes"),
             {path, std::to_string(truncation->present), std::to_string(truncation->size)});
    }

    const SndFile file(path);
    const SF_INFO& info = file.info();
    if (info.frames <= 0 || info.channels <= 0) {
        fail(sentence("cannot load sound file %s: it holds no sound"), {path});
    }
    if (info.samplerate <= 0) {
        fail(sentence("cannot load sound file %s: its sample rate is not valid"), {path});
    }

    MonoSound sound;
    sound.sampleRate = info.samplerate;
    std::size_t read = 0;
    if (fitsIn16Bits(info.format)) {
        sound.pcm16.reserve(static_cast<std::size_t>(info.frames));
        read = readAveraged<short>(file, sf_readf_short, [&](double value) {
            sound.pcm16.push_back(static_cast<std::int16_t>(value));
        });
    } else {
        sound.pcmFloat.reserve(static_cast<std::size_t>(info.frames));
        // A float file can hold anything. One sample that is not a number
        // makes the whole mix, every other sound and the voice with it, not a
        // number for as long as the sound plays: such a file is damaged and
        // refused. Samples beyond full scale are held at full scale.
        bool notANumber = false;
        read = readAveraged<float>(file, sf_readf_float, [&](double value) {
            if (!std::isfinite(value)) {
                notANumber = true;
                value = 0.0;
            }
            sound.pcmFloat.push_back(static_cast<float>(std::clamp(value, -1.0, 1.0)));
        });
        if (notANumber) {
            fail(sentence("cannot load sound file %s: it holds samples that are not numbers, so the file is "
                         "damaged"), {path});
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
        fail(sentence("cannot load sound file %s: reading failed (%s)"), {path, sf_strerror(file.get())});
    }
    if (read != static_cast<std::size_t>(info.frames)) {
        fail(sentence("cannot load sound file %s: the file is truncated: it ends after %s of %s frames"),
             {path, std::to_string(read), std::to_string(info.frames)});
    }
    return sound;
}

}  // namespace earshot
