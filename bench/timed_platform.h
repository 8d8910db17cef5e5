// The platform the benchmark runs the game on: the real SDL runtime and
// audio adapter, with every SetPosition timed, and no voice, so that speech
// takes no time from what is measured.
#pragma once

#include <memory>

#include "bench/timed_audio.h"
#include "game/errors.h"
#include "game/platform.h"
#include "runtime/sdl_direct_x8.h"
#include "runtime/sdl_runtime.h"

namespace earshot::bench {

inline Platform timedPlatform(SdlRuntime& runtime, PositionLog& log) {
    return Platform{
        runtime,
        [&runtime, &log] {
            return std::make_shared<TimedDirectX8>(
                std::make_shared<SdlDirectX8>(runtime.eventSinks()), log);
        },
        []() -> std::shared_ptr<SpVoice> {
            throw SpeechError("the benchmark speaks with no voice");
        },
    };
}

}  // namespace earshot::bench
