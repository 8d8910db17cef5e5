// A real speech-dispatcher of the test's own: its own socket, runtime,
// configuration and log folders under a scratch folder, the espeak-ng
// module, and the "silent" audio output that takes real time without a
// sound device, so no test touches the user's service or sound setup. It
// runs in a process group of its own with its module, and is killed with
// it when the object goes, or when the test's process dies first.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace earshot::test {

// One piece of sound the service played, on the steady clock.
struct PlayedPiece {
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point end;
    int frames;
    int rate;
    double seconds() const { return static_cast<double>(frames) / rate; }
};

class PrivateSpeechServer {
public:
    // Starts the service and waits until it takes connections; fails the
    // test (ADD_FAILURE and throws) when it does not within 10 s.
    PrivateSpeechServer();
    ~PrivateSpeechServer();
    PrivateSpeechServer(const PrivateSpeechServer&) = delete;
    PrivateSpeechServer& operator=(const PrivateSpeechServer&) = delete;

    // "unix_socket:<path>", for SPEECHD_ADDRESS.
    std::string address() const;
    // Points this process's SPEECHD_ADDRESS at the service.
    void useFromThisProcess() const;

    // The service (and its module) die at once, as in a crash.
    void kill();
    // The service stops answering but keeps its connections open.
    void freeze();

    // Every piece played so far, in order.
    std::vector<PlayedPiece> played() const;
    // The end of the service's log, for failure messages.
    std::string logTail() const;

private:
    // Cleans up, fails the test with `why` and throws.
    [[noreturn]] void giveUp(const std::string& why);

    std::filesystem::path root_;
    std::filesystem::path socket_;
    pid_t pid_ = -1;
};

// Total seconds of sound in `pieces`.
double secondsOf(const std::vector<PlayedPiece>& pieces);

}  // namespace earshot::test
