#include "runtime/sdl_event_sinks.h"

#include <algorithm>
#include <stdexcept>

namespace earshot {

void SdlEventSinks::add(const std::shared_ptr<SdlEventSink>& sink) {
    std::erase_if(sinks_, [](const auto& held) { return held.expired(); });
    sinks_.push_back(sink);
}

void SdlEventSinks::take(const SDL_Event& event, const ErrorReport& onError) {
    each([&event](SdlEventSink& sink) { sink.takeSdlEvent(event); }, onError);
}

void SdlEventSinks::notifyGame(const ErrorReport& onError) {
    each([](SdlEventSink& sink) { sink.notifyGame(); }, onError);
}

void SdlEventSinks::each(const std::function<void(SdlEventSink&)>& call,
                         const ErrorReport& onError) {
    // A copy: the list may change while a sink runs.
    const std::vector<std::weak_ptr<SdlEventSink>> sinks = sinks_;
    for (const auto& held : sinks) {
        const std::shared_ptr<SdlEventSink> sink = held.lock();
        if (!sink) {
            continue;
        }
        try {
            call(*sink);
        } catch (const std::exception& error) {
            onError(error);
        } catch (...) {
            onError(std::runtime_error("an unknown error"));
        }
    }
}

}  // namespace earshot
