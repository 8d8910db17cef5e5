#include "speech/speechd/speechd_watchdog.h"

namespace earshot {

SpeechdWatchdog::SpeechdWatchdog(SpeechdSocket& socket) : socket_(socket), thread_([this] { watch(); }) {}

SpeechdWatchdog::~SpeechdWatchdog() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

bool SpeechdWatchdog::run(std::chrono::milliseconds bound, const std::function<void()>& call) {
    {
        std::lock_guard lock(mutex_);
        armed_ = true;
        fired_ = false;
        deadline_ = std::chrono::steady_clock::now() + bound;
    }
    changed_.notify_all();
    try {
        call();
    } catch (...) {
        std::lock_guard lock(mutex_);
        armed_ = false;
        throw;
    }
    // Disarmed in the same step as the outcome is read, so that a cut can
    // neither come after a call that was in time nor hit a later call.
    std::lock_guard lock(mutex_);
    armed_ = false;
    return !fired_;
}

void SpeechdWatchdog::watch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (!armed_) {
            changed_.wait(lock, [this] { return stopping_ || armed_; });
            continue;
        }
        const auto deadline = deadline_;
        if (changed_.wait_until(lock, deadline, [&] { return stopping_ || !armed_ || deadline_ != deadline; })) {
            continue;
        }
        fired_ = true;
        armed_ = false;
        socket_.cut();
    }
}

}  // namespace earshot
