// Two waits of the game measured on its real parts (the SDL runtime, the
// game object, the OpenAL adapter, the sounds beside the program):
// - the wire's pace: a travel of 5 units (from the listener to a speaker at
//   x 5.5, z 0.5, whose unit square the wire reaches at x 5.0), its passes
//   counted by the SetPositions that reached OpenAL and timed on the clock;
// - a cue's wait: the intro played to its end, with the CPU time of the
//   event thread (which only waits) and of the whole process (which also
//   mixes the sound) over it.
//
// Prints two lines:
//   wire <passes> <seconds> <passes per second>
//   cue <seconds> <event thread CPU %> <process CPU %>
#include <time.h>

#include <cstdio>
#include <memory>

#include "bench/timed_audio.h"
#include "bench/timed_platform.h"
#include "game/errors.h"
#include "game/form1.h"
#include "game/platform.h"
#include "runtime/sdl_direct_x8.h"
#include "runtime/sdl_runtime.h"

namespace earshot::bench {
namespace {

double cpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The audio device and the description of sounds loaded from files, as the
// game start makes them; nothing else of the start is needed here.
void openAudio(Form1& form, Platform& platform) {
    form.sound.DX = platform.newDirectX8();
    form.sound.DS = form.sound.DX->DirectSoundCreate("");
    form.sound.BufferDesc.lFlags = DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME;
    form.sound.BufferDesc.guid3DAlgorithm = DS3DALG_HRTF_FULL;
}

void measureWire(Form1& form, const PositionLog& log) {
    form.FrontLeftPos = D3DVECTOR{5.5F, 0.0F, 0.5F};
    const std::size_t before = log.sent.size();
    const auto start = Clock::now();
    form.SendWire(Speaker::FrontLeft);
    const double seconds = secondsSince(start);
    const auto passes = static_cast<double>(log.sent.size() - before);
    std::printf("wire %.0f %.4f %.1f\n", passes, seconds, passes / seconds);
}

void measureCue(Form1& form) {
    const double thread = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double process = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const auto start = Clock::now();
    form.PlaySoundAndWait("tavlora");
    const double seconds = secondsSince(start);
    std::printf("cue %.3f %.2f %.2f\n", seconds,
                100.0 * (cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - thread) / seconds,
                100.0 * (cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process) / seconds);
}

}  // namespace
}  // namespace earshot::bench

int main() {
    using namespace earshot;
    try {
        SdlRuntime runtime;
        bench::PositionLog log;
        Platform platform = bench::timedPlatform(runtime, log);
        Form1 form(platform);
        bench::openAudio(form, platform);
        bench::measureWire(form, log);
        bench::measureCue(form);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "wire and cue: %s\n", error.what());
        return 1;
    }
    return 0;
}
