// A bound on a libspeechd call that waits for the speech service's answer.
// The library waits for an answer without a time limit, so a service that
// has hung would hang the game with it; while a call runs under the
// watchdog, a thread of our own cuts the connection's socket once the bound
// has passed, and the library call then returns with a failure.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "speech/speechd/speechd_socket.h"

namespace earshot {

class SpeechdWatchdog {
public:
    explicit SpeechdWatchdog(SpeechdSocket& socket);
    ~SpeechdWatchdog();
    SpeechdWatchdog(const SpeechdWatchdog&) = delete;
    SpeechdWatchdog& operator=(const SpeechdWatchdog&) = delete;

    // Runs `call` on this thread. Returns false when it outlasted `bound`,
    // so that the socket was cut to make it return.
    bool run(std::chrono::milliseconds bound, const std::function<void()>& call);

private:
    void watch();

    SpeechdSocket& socket_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool armed_ = false;
    bool fired_ = false;
    bool stopping_ = false;
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

}  // namespace earshot
