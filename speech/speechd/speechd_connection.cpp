#include "speech/speechd/speechd_connection.h"

#include "game/errors.h"
#include "speech/speech_wait.h"
#include "speech/speechd/sigpipe_guard.h"
#include "speech/speechd/speechd_check.h"
#include "speech/speechd/speechd_open.h"

namespace earshot {

SpeechdConnection::SpeechdConnection(bool autospawn, const SpeechdLimits& limits)
    : limits_(limits), connection_(openSpeechdConnection(autospawn, limits.connect)) {
    try {
        // The socket number is a field of the library's own structure; it
        // is read once, here, and from then on we use our duplicate.
        socket_ = std::make_unique<SpeechdSocket>(connection_->socket);
        watchdog_ = std::make_unique<SpeechdWatchdog>(*socket_);

        int clientId = -1;
        request("Asking the speech service for this connection's id",
                [&] { clientId = spd_get_client_id(connection_); });
        throwIfSpdError(clientId, "Asking the speech service for this connection's id");
        // The record and the callbacks are in place before the service is
        // asked for any event.
        events_ = std::make_unique<SpeechdEvents>(static_cast<std::size_t>(clientId));
        SpeechdEvents::installCallbacks(connection_);

        int result = 0;
        request("Asking the speech service for plain text", [&] { result = spd_set_data_mode(connection_, SPD_DATA_TEXT); });
        throwIfSpdError(result, "Asking the speech service for plain text");
        request("Asking the speech service for the end of each message",
                [&] { result = spd_set_notification_on(connection_, SPD_END); });
        throwIfSpdError(result, "Asking the speech service for the end of each message");
        request("Asking the speech service for messages cut off",
                [&] { result = spd_set_notification_on(connection_, SPD_CANCEL); });
        throwIfSpdError(result, "Asking the speech service for messages cut off");
    } catch (...) {
        if (socket_) {
            socket_->cut();
        }
        watchdog_.reset();
        spd_close(connection_);
        events_.reset();
        throw;
    }
}

SpeechdConnection::~SpeechdConnection() {
    watchdog_.reset();
    // spd_close writes nothing: it stops the library's reader thread and
    // closes its socket, so it returns even when the service hangs.
    {
        SigpipeGuard guard;
        spd_close(connection_);
    }
    // After the reader has stopped, so no callback is left to come.
    events_.reset();
}

bool SpeechdConnection::alive() const {
    return socket_->alive();
}

void SpeechdConnection::request(const char* what, const std::function<void()>& call) {
    bool inTime = false;
    {
        SigpipeGuard guard;
        inTime = watchdog_->run(limits_.reply, call);
    }
    if (!inTime) {
        throw SpeechError(std::string(what) + ": no answer within " + std::to_string(limits_.reply.count()) +
                          " ms");
    }
}

std::size_t SpeechdConnection::say(const std::string& text) {
    if (!alive()) {
        throw SpeechError("The speech service has gone away");
    }
    int messageId = -1;
    try {
        request("Sending a message to the speech service",
                [&] { messageId = spd_say(connection_, SPD_TEXT, text.c_str()); });
        throwIfSpdError(messageId, "Sending a message to the speech service");
    } catch (...) {
        // Half a request may be left on the line: nothing more goes through.
        socket_->cut();
        throw;
    }
    return static_cast<std::size_t>(messageId);
}

EndWait SpeechdConnection::waitForEnd(std::size_t messageId, std::chrono::steady_clock::time_point deadline,
                                      const std::function<bool()>& stop) {
    // The game's thread waits here for the message to be heard; each look
    // at the connection is also a moment for the program's own look
    // (Escape), so it too comes every aliveCheck.
    bool stopped = false;
    const EndWait end = events_->waitForEnd(
        messageId, deadline,
        [&] {
            whileSpeechWaits();
            stopped = stop && stop();
            return !stopped && socket_->alive();
        },
        limits_.aliveCheck);
    return stopped && end == EndWait::ConnectionLost ? EndWait::Stopped : end;
}

void SpeechdConnection::cancel() {
    int result = 0;
    request("Cancelling the messages", [&] { result = spd_cancel(connection_); });
    throwIfSpdError(result, "Cancelling the messages");
}

void SpeechdConnection::giveUp() noexcept {
    if (alive()) {
        try {
            request("Cancelling a message", [&] { spd_cancel(connection_); });
        } catch (...) {
            // Cut below either way.
        }
    }
    socket_->cut();
}

}  // namespace earshot
