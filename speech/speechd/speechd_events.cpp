#include "speech/speechd/speechd_events.h"

#include <algorithm>

namespace earshot {

namespace {

constexpr std::size_t historyLength = 32;

// Every live record, by the client id its connection has on the service.
// The lock is held while a callback notes an end, so a record that has left
// the registry is never touched again.
struct Registry {
    std::mutex mutex;
    std::multimap<std::size_t, SpeechdEvents*> records;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

// The library's thread runs these; it may cancel that thread at a
// cancellation point, and there is none in here (no I/O, no waiting).
void deliver(std::size_t messageId, std::size_t clientId, MessageEnd how) noexcept {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto [first, last] = r.records.equal_range(clientId);
    for (auto it = first; it != last; ++it) {
        it->second->note(messageId, how);
    }
}

void onEnd(std::size_t messageId, std::size_t clientId, SPDNotificationType) {
    deliver(messageId, clientId, MessageEnd::Ended);
}

void onCancel(std::size_t messageId, std::size_t clientId, SPDNotificationType) {
    deliver(messageId, clientId, MessageEnd::Cancelled);
}

}  // namespace

SpeechdEvents::SpeechdEvents(std::size_t clientId) : clientId_(clientId) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.records.emplace(clientId_, this);
}

SpeechdEvents::~SpeechdEvents() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto [first, last] = r.records.equal_range(clientId_);
    for (auto it = first; it != last; ++it) {
        if (it->second == this) {
            r.records.erase(it);
            break;
        }
    }
}

void SpeechdEvents::installCallbacks(SPDConnection* connection) {
    connection->callback_end = onEnd;
    connection->callback_cancel = onCancel;
}

void SpeechdEvents::note(std::size_t messageId, MessageEnd how) noexcept {
    try {
        {
            std::lock_guard lock(mutex_);
            unclaimed_[messageId] = how;
            history_.push_back({messageId, how, std::chrono::steady_clock::now()});
            if (history_.size() > historyLength) {
                history_.pop_front();
            }
        }
        arrived_.notify_all();
    } catch (...) {
        // Out of memory: the waiter's bound takes over.
    }
}

EndWait SpeechdEvents::waitForEnd(std::size_t messageId, std::chrono::steady_clock::time_point deadline,
                                  const std::function<bool()>& alive, std::chrono::milliseconds aliveCheck) {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (auto found = unclaimed_.find(messageId); found != unclaimed_.end()) {
            const MessageEnd how = found->second;
            // Ids only grow: whatever is older was given up on and is
            // of no use any more.
            unclaimed_.erase(unclaimed_.begin(), std::next(found));
            return how == MessageEnd::Ended ? EndWait::Ended : EndWait::Cancelled;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return EndWait::TimedOut;
        }
        lock.unlock();
        const bool stillThere = alive();
        lock.lock();
        if (!stillThere && unclaimed_.find(messageId) == unclaimed_.end()) {
            return EndWait::ConnectionLost;
        }
        arrived_.wait_until(lock, std::min(deadline, now + aliveCheck));
    }
}

std::vector<EndedMessage> SpeechdEvents::history() const {
    std::lock_guard lock(mutex_);
    return {history_.begin(), history_.end()};
}

}  // namespace earshot
