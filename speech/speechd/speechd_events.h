// The end events of one connection to the speech service. libspeechd calls
// its callbacks on a thread of its own with nothing but the client and
// message ids, so the callbacks find the connection's record by its client
// id, note the end there and wake the game thread that waits for it; they
// never call the library (it would deadlock on itself) and never throw.
#pragma once

#include <libspeechd.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace earshot {

enum class MessageEnd { Ended, Cancelled };

struct EndedMessage {
    std::size_t messageId;
    MessageEnd how;
    std::chrono::steady_clock::time_point at;
};

// Stopped: the waiter was told to stop waiting (the sound output is lost).
enum class EndWait { Ended, Cancelled, ConnectionLost, TimedOut, Stopped };

class SpeechdEvents {
public:
    // Starts taking the end events of the client `clientId`.
    explicit SpeechdEvents(std::size_t clientId);
    // Stops taking them; no callback touches this record afterwards.
    ~SpeechdEvents();
    SpeechdEvents(const SpeechdEvents&) = delete;
    SpeechdEvents& operator=(const SpeechdEvents&) = delete;

    // Points the connection's end and cancel callbacks at the records.
    static void installCallbacks(SPDConnection* connection);

    // Waits until message `messageId` has ended or was cut off, the
    // connection is lost (`alive` is asked every `aliveCheck`) or
    // `deadline` has passed.
    EndWait waitForEnd(std::size_t messageId, std::chrono::steady_clock::time_point deadline,
                       const std::function<bool()>& alive, std::chrono::milliseconds aliveCheck);

    // The latest ends, oldest first, as they arrived.
    std::vector<EndedMessage> history() const;

    // Called from the library's thread.
    void note(std::size_t messageId, MessageEnd how) noexcept;

private:
    std::size_t clientId_;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    // Ends not yet waited for, by message id.
    std::map<std::size_t, MessageEnd> unclaimed_;
    std::deque<EndedMessage> history_;
};

}  // namespace earshot
