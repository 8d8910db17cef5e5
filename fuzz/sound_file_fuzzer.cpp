// Fuzzes the sound-file path of the audio service: the bytes become a file,
// the OpenAL adapter loads it as the game loads every sound, and a sound it
// takes is played from the front right for a moment on a loopback output
// (no sound card), then stopped and let go. A file the adapter refuses must
// be refused with an AudioError that names the file; anything else (a
// crash, another exception, a leak, a read outside a buffer, a sample that
// is not a number in the output) ends the run.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "audio/direct_sound.h"
#include "audio/openal/al_direct_sound.h"
#include "audio/openal/al_output.h"
#include "game/errors.h"

namespace {

using namespace earshot;

constexpr int kRate = 44100;
constexpr int kBlockFrames = 128;
// A few hundred frames of playing: long enough for the mixer to read the
// sound's first samples through the HRTF filters, short enough for
// thousands of inputs a minute.
constexpr int kBlocks = 3;

// The output, the device and the scratch folder, made once for the run.
struct Session {
    std::filesystem::path folder;
    std::string path;
    std::shared_ptr<AlOutput> output;
    std::shared_ptr<DirectSound8> sound;
    std::shared_ptr<DirectSound3DListener8> listener;
    DSBUFFERDESC desc;
    std::vector<float> mix = std::vector<float>(2 * kBlockFrames);
};

Session* session = nullptr;

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "sound file fuzzer: %s\n", what.c_str());
    std::abort();
}

// At the end of the run: the device closed, the scratch folder gone.
void endSession() {
    if (session != nullptr) {
        const std::filesystem::path folder = session->folder;
        delete session;
        session = nullptr;
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

void render() {
    session->output->render(session->mix.data(), kBlockFrames);
    for (const float sample : session->mix) {
        if (!std::isfinite(sample)) {
            fault("the output holds a sample that is not a finite number");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // No user configuration of OpenAL Soft: a fresh HOME, no config paths.
    std::string pattern =
        (std::filesystem::temp_directory_path() / "earshot-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        fault("cannot make a scratch folder");
    }
    setenv("HOME", pattern.c_str(), 1);
    unsetenv("ALSOFT_CONF");
    unsetenv("XDG_CONFIG_HOME");

    session = new Session;
    session->folder = pattern;
    // A space in the name: the message must carry the path as it is.
    session->path = (session->folder / "fuzzed sound.wav").string();
    std::atexit(endSession);
    try {
        session->output = AlOutput::openLoopback(kRate);
        session->sound = createOpenAlDirectSound("");
        session->sound->SetCooperativeLevel(0, DSSCL_PRIORITY);
        DSBUFFERDESC primary;
        primary.lFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRL3D;
        session->listener =
            session->sound->CreatePrimarySoundBuffer(primary)->GetDirectSound3DListener();
        session->listener->SetPosition(0.0F, 4.0F, 0.0F, DS3D_IMMEDIATE);
    } catch (const Error& error) {
        fault(std::string("cannot open the loopback output: ") + error.what());
    }
    // The description the game loads every sound with.
    session->desc.lFlags = DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME;
    session->desc.guid3DAlgorithm = DS3DALG_HRTF_FULL;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream file(session->path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!file) {
            fault("cannot write " + session->path);
        }
    }

    std::shared_ptr<DirectSoundSecondaryBuffer8> buffer;
    try {
        buffer = session->sound->CreateSoundBufferFromFile(session->path, session->desc);
    } catch (const AudioError& error) {
        const std::string_view message = error.what();
        if (message.find(session->path) == std::string_view::npos) {
            fault("a refused file's message does not name it: " + std::string(message));
        }
        return 0;
    }

    // Played once or looping (the last byte decides), at the height the
    // game sends, from the front right.
    const bool loop = size > 0 && (data[size - 1] & 1U) != 0;
    auto control = buffer->GetDirectSound3DBuffer();
    control->SetPosition(2.0F, 4.0F, 3.0F, DS3D_IMMEDIATE);
    buffer->SetCurrentPosition(0);
    buffer->Play(loop ? DSBPLAY_LOOPING : DSBPLAY_DEFAULT);
    for (int block = 0; block < kBlocks; ++block) {
        render();
    }
    const std::int32_t status = buffer->GetStatus();
    if (loop && status != (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING)) {
        fault("a looping sound stopped by itself");
    }
    buffer->Stop();
    control.reset();
    buffer.reset();
    // Silence once it is gone, and nothing left behind in the mixer.
    render();
    return 0;
}
