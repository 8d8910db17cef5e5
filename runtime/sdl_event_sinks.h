// The platform objects that listen to the window's SDL events besides the
// game object (the mouse device). Each sink sees every event as the runtime
// takes it from SDL's queue, before the game handles any of the events
// taken with it, and hears once, when the runtime has taken all that was
// waiting, that it may now tell the game what came. The runtime serves the
// sinks that still exist, in the order they were added.
#pragma once

#include <SDL.h>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace earshot {

class SdlEventSink {
public:
    virtual ~SdlEventSink() = default;
    // An event just taken from SDL's queue.
    virtual void takeSdlEvent(const SDL_Event& event) = 0;
    // Every waiting event has been taken: the game may hear of them now.
    virtual void notifyGame() = 0;
};

class SdlEventSinks {
public:
    using ErrorReport = std::function<void(const std::exception&)>;

    // Held weakly: a sink that the game lets go of simply stops listening.
    void add(const std::shared_ptr<SdlEventSink>& sink);

    // Each call serves every living sink. A sink that throws does not keep
    // the others from their turn: onError hears of it. A sink may add sinks
    // or pump events again meanwhile.
    void take(const SDL_Event& event, const ErrorReport& onError);
    void notifyGame(const ErrorReport& onError);

private:
    void each(const std::function<void(SdlEventSink&)>& call, const ErrorReport& onError);

    std::vector<std::weak_ptr<SdlEventSink>> sinks_;
};

}  // namespace earshot
