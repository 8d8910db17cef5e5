// Keeps a write to a socket whose other end has gone from ending the
// process. libspeechd writes to its socket with plain write(), and a write
// to a speech service that has just died raises SIGPIPE, whose default
// action ends the program. While a guard lives, SIGPIPE is blocked on this
// thread (the signal goes to the thread that wrote), and one raised in the
// meantime is taken back before the guard unblocks it; the write itself
// then fails with EPIPE, which the library reports as a failed call.
#pragma once

#include <csignal>

namespace earshot {

class SigpipeGuard {
public:
    SigpipeGuard();
    ~SigpipeGuard();
    SigpipeGuard(const SigpipeGuard&) = delete;
    SigpipeGuard& operator=(const SigpipeGuard&) = delete;

private:
    sigset_t previousMask_;
    bool wasPending_ = false;
};

}  // namespace earshot
