#include "speech/speechd/sigpipe_guard.h"

#include <pthread.h>

#include <cerrno>
#include <ctime>

namespace earshot {

namespace {

sigset_t onlySigpipe() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    return set;
}

bool sigpipePending() {
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    return sigismember(&pending, SIGPIPE) == 1;
}

}  // namespace

SigpipeGuard::SigpipeGuard() {
    const sigset_t set = onlySigpipe();
    pthread_sigmask(SIG_BLOCK, &set, &previousMask_);
    // One that was already waiting belongs to someone else: leave it be.
    wasPending_ = sigpipePending();
}

SigpipeGuard::~SigpipeGuard() {
    if (!wasPending_ && sigpipePending()) {
        const sigset_t set = onlySigpipe();
        const timespec now{0, 0};
        while (sigtimedwait(&set, nullptr, &now) == -1 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

}  // namespace earshot
