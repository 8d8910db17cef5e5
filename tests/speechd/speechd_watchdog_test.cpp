// A call that waits on the service's socket longer than its bound is freed
// by cutting the socket; a call in time leaves the socket whole.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

#include "speech/speechd/speechd_socket.h"
#include "speech/speechd/speechd_watchdog.h"

namespace earshot {
namespace {

using Clock = std::chrono::steady_clock;

class SpeechdWatchdogTest : public ::testing::Test {
protected:
    SpeechdWatchdogTest() {
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends_), 0);
        socket_ = std::make_unique<SpeechdSocket>(ends_[0]);
    }
    ~SpeechdWatchdogTest() override {
        socket_.reset();
        close(ends_[0]);
        if (ends_[1] >= 0) close(ends_[1]);
    }

    int ends_[2] = {-1, -1};
    std::unique_ptr<SpeechdSocket> socket_;
};

TEST_F(SpeechdWatchdogTest, ACallThatOutlastsItsBoundIsCutOff) {
    SpeechdWatchdog watchdog(*socket_);
    char reply = 0;
    ssize_t got = 1;
    const auto called = Clock::now();
    // Like the library waiting for an answer that never comes.
    const bool inTime = watchdog.run(std::chrono::milliseconds(200), [&] { got = read(ends_[0], &reply, 1); });
    const double took = std::chrono::duration<double>(Clock::now() - called).count();
    EXPECT_FALSE(inTime);
    EXPECT_EQ(got, 0) << "the blocked read should see the connection end";
    EXPECT_GE(took, 0.19);
    EXPECT_LT(took, 1.0);
    EXPECT_FALSE(socket_->alive());
}

TEST_F(SpeechdWatchdogTest, ACallInTimeLeavesTheSocketWhole) {
    SpeechdWatchdog watchdog(*socket_);
    ASSERT_EQ(write(ends_[1], "2", 1), 1);
    char reply = 0;
    EXPECT_TRUE(watchdog.run(std::chrono::milliseconds(300), [&] { ASSERT_EQ(read(ends_[0], &reply, 1), 1); }));
    // Past the bound of the earlier call, nothing cuts the socket.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_TRUE(socket_->alive());
    EXPECT_EQ(reply, '2');
}

TEST_F(SpeechdWatchdogTest, TheSocketIsDeadOnceTheOtherEndHasGone) {
    EXPECT_TRUE(socket_->alive());
    close(ends_[1]);
    ends_[1] = -1;
    EXPECT_FALSE(socket_->alive());
}

}  // namespace
}  // namespace earshot
