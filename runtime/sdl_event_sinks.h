// The platform objects that listen to the window's SDL events besides the
// game object (the mouse device). The runtime hands each event to every
// sink that still exists, in the order they were added.
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
    virtual void handleSdlEvent(const SDL_Event& event) = 0;
};

class SdlEventSinks {
public:
    // Held weakly: a sink that the game lets go of simply stops listening.
    void add(const std::shared_ptr<SdlEventSink>& sink);

    // Gives the event to every living sink. A sink that throws does not
    // keep the event from the others: onError hears of it. A sink may add
    // sinks or pump events again while it handles one.
    void dispatch(const SDL_Event& event,
                  const std::function<void(const std::exception&)>& onError);

private:
    std::vector<std::weak_ptr<SdlEventSink>> sinks_;
};

}  // namespace earshot
