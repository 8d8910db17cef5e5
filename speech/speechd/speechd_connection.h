// One threaded connection to the desktop's speech service (speech-
// dispatcher), set up to report the end of every message and to take text
// as plain text. It leaves the user's voice, rate and language alone. Every
// call that waits for the service is bounded, and a connection that the
// service has left or that stopped answering is cut and stays dead.
#pragma once

#include <libspeechd.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "speech/speechd/speechd_events.h"
#include "speech/speechd/speechd_limits.h"
#include "speech/speechd/speechd_socket.h"
#include "speech/speechd/speechd_watchdog.h"

namespace earshot {

class SpeechdConnection {
public:
    // Connects where libspeechd looks (SPEECHD_ADDRESS, else the user's
    // runtime folder), starting the service first when `autospawn` is on
    // and the desktop allows it. Throws SpeechError when there is no
    // service or it does not answer within the limits.
    SpeechdConnection(bool autospawn, const SpeechdLimits& limits);
    ~SpeechdConnection();
    SpeechdConnection(const SpeechdConnection&) = delete;
    SpeechdConnection& operator=(const SpeechdConnection&) = delete;

    bool alive() const;

    // Queues `text` as a message of text priority; returns its id. Throws
    // SpeechError when the service is gone, refuses or does not answer.
    std::size_t say(const std::string& text);

    // Waits for the end of message `messageId`, at most until `deadline`;
    // `stop`, asked at every look at the connection, ends the wait early.
    EndWait waitForEnd(std::size_t messageId, std::chrono::steady_clock::time_point deadline,
                       const std::function<bool()>& stop = {});

    // Asks the service to drop this connection's messages, the one it says
    // and those queued, and keeps the connection. Throws SpeechError when
    // the service does not answer.
    void cancel();

    // Asks the service to drop this connection's messages, then cuts the
    // connection; for a message that outlasted its bound.
    void giveUp() noexcept;

    const SpeechdEvents& events() const { return *events_; }

private:
    // Runs a library call under the reply bound, with SIGPIPE held back;
    // throws SpeechError naming `what` when the bound passed.
    void request(const char* what, const std::function<void()>& call);

    SpeechdLimits limits_;
    SPDConnection* connection_ = nullptr;
    std::unique_ptr<SpeechdSocket> socket_;
    std::unique_ptr<SpeechdWatchdog> watchdog_;
    std::unique_ptr<SpeechdEvents> events_;
};

}  // namespace earshot
