#include "speech/speechd/speechd_open.h"

#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "game/errors.h"
#include "speech/speechd/sigpipe_guard.h"

namespace earshot {

namespace {

struct PendingOpen {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
    SPDConnection* connection = nullptr;
    std::string reason;
};

void open(const std::shared_ptr<PendingOpen>& pending, bool autospawn) {
    char* error = nullptr;
    SPDConnection* connection = nullptr;
    {
        SigpipeGuard guard;
        connection = spd_open2("earshot", "main", nullptr, SPD_MODE_THREADED, nullptr, autospawn ? 1 : 0, &error);
    }
    std::string reason = error != nullptr ? error : "";
    std::free(error);
    std::unique_lock lock(pending->mutex);
    if (pending->abandoned) {
        lock.unlock();
        if (connection != nullptr) {
            spd_close(connection);
        }
        return;
    }
    pending->connection = connection;
    pending->reason = std::move(reason);
    pending->finished = true;
    pending->done.notify_all();
}

// The library's reasons end in a newline or a full stop; ours add their own.
std::string trimmed(std::string reason) {
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' ' || reason.back() == '.')) {
        reason.pop_back();
    }
    return reason.empty() ? "no reason given" : reason;
}

}  // namespace

SPDConnection* openSpeechdConnection(bool autospawn, std::chrono::milliseconds bound) {
    auto pending = std::make_shared<PendingOpen>();
    std::thread([pending, autospawn] {
        try {
            open(pending, autospawn);
        } catch (...) {
            std::lock_guard lock(pending->mutex);
            pending->finished = true;
            pending->reason = "out of memory";
            pending->done.notify_all();
        }
    }).detach();

    std::unique_lock lock(pending->mutex);
    if (!pending->done.wait_for(lock, bound, [&] { return pending->finished; })) {
        pending->abandoned = true;
        throw SpeechError("Connecting to the speech service: no answer within " +
                          std::to_string(bound.count()) + " ms");
    }
    if (pending->connection == nullptr) {
        throw SpeechError("Connecting to the speech service: " + trimmed(pending->reason));
    }
    return pending->connection;
}

}  // namespace earshot
