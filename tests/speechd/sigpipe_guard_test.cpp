// A write to a socket whose other end has gone must fail, not end the
// program; and the guard leaves the thread's signals as it found them.
#include <gtest/gtest.h>

#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "speech/speechd/sigpipe_guard.h"

namespace earshot {
namespace {

bool blocked(int signal) {
    sigset_t mask;
    pthread_sigmask(SIG_SETMASK, nullptr, &mask);
    return sigismember(&mask, signal) == 1;
}

bool pending(int signal) {
    sigset_t set;
    sigpending(&set);
    return sigismember(&set, signal) == 1;
}

TEST(SigpipeGuard, AWriteToAClosedSocketFailsInsteadOfEndingTheProgram) {
    int ends[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    close(ends[1]);
    ASSERT_FALSE(blocked(SIGPIPE));
    ssize_t written = 0;
    int error = 0;
    {
        SigpipeGuard guard;
        written = write(ends[0], "SPEAK\r\n", 7);
        error = errno;
    }
    close(ends[0]);
    EXPECT_EQ(written, -1);
    EXPECT_EQ(error, EPIPE);
    EXPECT_FALSE(pending(SIGPIPE)) << "the guard's own SIGPIPE was left waiting";
    EXPECT_FALSE(blocked(SIGPIPE)) << "the guard left SIGPIPE blocked";
}

TEST(SigpipeGuard, LeavesASigpipeThatWasAlreadyWaitingAlone) {
    sigset_t onlySigpipe;
    sigemptyset(&onlySigpipe);
    sigaddset(&onlySigpipe, SIGPIPE);
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &onlySigpipe, &before);
    pthread_kill(pthread_self(), SIGPIPE);
    ASSERT_TRUE(pending(SIGPIPE));
    { SigpipeGuard guard; }
    EXPECT_TRUE(pending(SIGPIPE)) << "the guard swallowed someone else's signal";
    EXPECT_TRUE(blocked(SIGPIPE)) << "the guard unblocked what the thread had blocked";
    const timespec now{0, 0};
    sigtimedwait(&onlySigpipe, nullptr, &now);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

}  // namespace
}  // namespace earshot
