// Opens the output again after it was lost, on a thread of its own: a sound
// server that is stopped can hold an open for as long as it is stopped, and
// the game's thread must never wait for that. An attempt is made at once
// and then about once a second until one succeeds; the ready device waits
// for the game's thread to take it. The thread is never joined: one held
// up by a stopped server simply ends later, and closes what it opened if
// nobody wants it any more.
#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include "audio/openal/alc_handles.h"

namespace earshot {

class AlReopener {
public:
    AlReopener(AlcOpener opener, std::chrono::milliseconds retryEvery);
    // Gives up any attempt still running; what it opens later is closed.
    ~AlReopener();
    AlReopener(const AlReopener&) = delete;
    AlReopener& operator=(const AlReopener&) = delete;

    // Starts trying, unless it is trying already or holds a ready device.
    void start();
    // The opened device, once an attempt has succeeded; never waits.
    std::optional<AlcOpened> take();
    // How many attempts have failed since the last start.
    int failedAttempts() const;

private:
    struct State;
    static void keepTrying(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;
};

}  // namespace earshot
