// An audio output for speech-dispatcher that plays into silence at the pace
// of real playback: each piece of sound takes as long as it would take a
// sound card, so the service reports a message's end after its real
// speaking time, on a machine without any sound device. The service loads
// it as the output method "silent" from the folder in SPEECHD_PLUGIN_DIR.
// Each piece is logged as one line "<start ns> <end ns> <frames> <rate>"
// (steady clock) to the file named by EARSHOT_SILENT_AUDIO_LOG, so that the
// tests can see what was heard when.
#include <speech-dispatcher/spd_audio_plugin.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

struct SilentOutput {
    AudioID id{};  // first, so that the service's AudioID* is ours too
    std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
};

SilentOutput* outputOf(AudioID* id) {
    return reinterpret_cast<SilentOutput*>(id);
}

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void logPiece(long long start, long long end, int frames, int rate) {
    const char* path = std::getenv("EARSHOT_SILENT_AUDIO_LOG");
    if (path == nullptr) {
        return;
    }
    char line[128];
    const int length = std::snprintf(line, sizeof line, "%lld %lld %d %d\n", start, end, frames, rate);
    const int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0) {
        if (write(fd, line, static_cast<size_t>(length)) < 0) {
            // Nothing to be done; the test sees the line missing.
        }
        close(fd);
    }
}

AudioID* openOutput(void** /*parameters*/) {
    return &(new SilentOutput)->id;
}

int play(AudioID* id, AudioTrack track) {
    if (track.sample_rate <= 0 || track.num_channels <= 0) {
        return -1;
    }
    SilentOutput* output = outputOf(id);
    const long long start = nowNs();
    const auto length = std::chrono::nanoseconds(static_cast<long long>(track.num_samples) * 1000000000LL /
                                                 track.sample_rate);
    {
        std::unique_lock lock(output->mutex);
        output->stopping = false;
        output->stopped.wait_for(lock, length, [&] { return output->stopping; });
    }
    logPiece(start, nowNs(), track.num_samples, track.sample_rate);
    return 0;
}

int stop(AudioID* id) {
    SilentOutput* output = outputOf(id);
    {
        std::lock_guard lock(output->mutex);
        output->stopping = true;
    }
    output->stopped.notify_all();
    return 0;
}

int closeOutput(AudioID* id) {
    delete outputOf(id);
    return 0;
}

int setVolume(AudioID* /*id*/, int /*volume*/) {
    return 0;
}

void setLogLevel(int /*level*/) {}

char const* playCommand() {
    return nullptr;
}

const spd_audio_plugin_t silentPlugin{
    "silent", openOutput, play, stop, closeOutput, setVolume, setLogLevel, playCommand,
    nullptr,  nullptr,    nullptr, nullptr,
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const spd_audio_plugin_t* spd_audio_plugin_get() {
    return &silentPlugin;
}
