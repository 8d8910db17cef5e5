// Runs a program (the game or the reference player) as a child and
// measures it from outside, the way a player's system sees it:
//
//   earshot_bench_probe cpu SETTLE_S MEASURE_S -- PROGRAM [ARGS...]
//       after SETTLE_S seconds (the game's intro), the CPU time the child
//       spends over MEASURE_S seconds, as a percentage of one core, and
//       its peak resident memory (VmHWM) at the end, and how much of what
//       it has resident then is its own (RssAnon: not pages of files, such
//       as the shared libraries, which other programs share). The CPU time
//       is user and system time of all its threads, also those that have
//       ended: at the start from the child's CPU clock (nanoseconds), at
//       the end from the rusage of the finished child (microseconds), so a
//       load of one or two percent is not counted in clock ticks.
//       Prints: cpu <percent> <peak kB> <own kB>
//   earshot_bench_probe startup WAVE_FILE SECONDS -- PROGRAM [ARGS...]
//       when the child's audio output started to write WAVE_FILE (OpenAL
//       Soft's wave output, which writes in real time), in milliseconds
//       after the child was started. The file's size is watched every half
//       millisecond: the wave output never writes ahead of real time, so
//       each look bounds the start from above, and the closest bound is
//       within a look or two of it. Prints: startup <ms>
//
// The child's standard output (the game's captions) goes to /dev/null; its
// standard error is the probe's. It is killed at the end.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "bench probe: %s\n", what.c_str());
    std::exit(1);
}

pid_t spawn(char** argv) {
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int result = posix_spawn(&pid, argv[0], &files, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&files);
    if (result != 0) {
        fail(std::string("cannot start ") + argv[0] + ": " + std::strerror(result));
    }
    return pid;
}

void stop(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool alive(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

// User plus system time of all the child's threads so far, also of those
// that have ended, in seconds, from its CPU clock.
double cpuSeconds(pid_t pid) {
    clockid_t clock{};
    timespec used{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &used) != 0) {
        fail("cannot read the child's CPU clock");
    }
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

// Kills the child and returns the user plus system time of all its
// threads over its whole life, in seconds, from its rusage.
double stopAndCount(pid_t pid) {
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        fail("cannot collect the child's rusage");
    }
    auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A figure in kB of /proc/<pid>/status, such as "VmHWM".
long statusKb(pid_t pid, const std::string& name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(name + ":", 0) == 0) {
            return std::atol(line.c_str() + name.size() + 1);
        }
    }
    fail("cannot read the child's " + name);
}

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

int measureCpu(double settle, double measure, char** argv) {
    const pid_t pid = spawn(argv);
    sleepSeconds(settle);
    if (!alive(pid)) {
        fail(std::string(argv[0]) + " ended before it was measured");
    }
    const auto start = Clock::now();
    const double before = cpuSeconds(pid);
    sleepSeconds(measure);
    const long peak = statusKb(pid, "VmHWM");
    const long own = statusKb(pid, "RssAnon");
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double used = stopAndCount(pid) - before;
    std::printf("cpu %.3f %ld %ld\n", 100.0 * used / wall, peak, own);
    return 0;
}

// Where the sound data starts in a WAV file and how many bytes a frame and
// a second take; false while the header is not all there.
bool waveLayout(const std::string& path, std::size_t& dataOffset, double& bytesPerSecond) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> head(4096);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    auto le32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(head[at] | head[at + 1] << 8U | head[at + 2] << 16U |
                                          static_cast<std::uint32_t>(head[at + 3]) << 24U);
    };
    std::size_t at = 12;
    std::uint32_t byteRate = 0;
    while (at + 8 <= head.size()) {
        const std::uint32_t size = le32(at + 4);
        if (std::memcmp(head.data() + at, "fmt ", 4) == 0 && at + 16 <= head.size()) {
            byteRate = le32(at + 16);
        } else if (std::memcmp(head.data() + at, "data", 4) == 0) {
            dataOffset = at + 8;
            bytesPerSecond = byteRate;
            return byteRate > 0;
        }
        at += 8 + size;
    }
    return false;
}

int measureStartup(const std::string& wave, double seconds, char** argv) {
    unlink(wave.c_str());
    const auto started = Clock::now();
    const pid_t pid = spawn(argv);
    std::size_t dataOffset = 0;
    double bytesPerSecond = 0.0;
    bool haveLayout = false;
    double earliest = 1e9;  // the closest bound on the output's start, s after the spawn
    while (std::chrono::duration<double>(Clock::now() - started).count() < seconds) {
        struct stat info {};
        const auto now = Clock::now();
        if (stat(wave.c_str(), &info) == 0) {
            if (!haveLayout) {
                haveLayout = waveLayout(wave, dataOffset, bytesPerSecond);
            }
            if (haveLayout && static_cast<std::size_t>(info.st_size) > dataOffset) {
                const double written =
                    static_cast<double>(static_cast<std::size_t>(info.st_size) - dataOffset) / bytesPerSecond;
                const double bound = std::chrono::duration<double>(now - started).count() - written;
                earliest = std::min(earliest, bound);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    stop(pid);
    if (earliest > 1e8) {
        fail("the program wrote no sound to " + wave);
    }
    std::printf("startup %.2f\n", earliest * 1000.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6 || std::strcmp(argv[4], "--") != 0) {
        std::fprintf(stderr,
                     "usage: earshot_bench_probe cpu SETTLE_S MEASURE_S -- PROGRAM [ARGS...]\n"
                     "       earshot_bench_probe startup WAVE_FILE SECONDS -- PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::string what = argv[1];
    if (what == "cpu") {
        return measureCpu(std::atof(argv[2]), std::atof(argv[3]), argv + 5);
    }
    if (what == "startup") {
        return measureStartup(argv[2], std::atof(argv[3]), argv + 5);
    }
    fail("unknown measurement " + what);
}
