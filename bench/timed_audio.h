// Decorators of the audio service for the benchmark: every call goes on to
// the real OpenAL adapter, and each SetPosition of a 3D control is noted
// with the moment it came back from the adapter, that is, the moment the
// new position had reached OpenAL. The game runs on them unchanged.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/direct_x8.h"

namespace earshot::bench {

using Clock = std::chrono::steady_clock;

// One SetPosition that reached OpenAL: when, where to, and on which control
// (numbered in the order the controls were made, from 1).
struct PositionSent {
    Clock::time_point at;
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
    int control = 0;
};

// What the decorated controls noted, on the event thread.
struct PositionLog {
    std::vector<PositionSent> sent;
    int controls = 0;
};

// A platform root whose audio device hands out decorated sounds.
class TimedDirectX8 final : public DirectX8 {
public:
    TimedDirectX8(std::shared_ptr<DirectX8> real, PositionLog& log);

    std::shared_ptr<DirectSound8> DirectSoundCreate(const std::string& guid) override;
    std::shared_ptr<DirectInput8> DirectInputCreate() override;
    std::int32_t CreateEvent(DirectXEvent8* target) override;

private:
    std::shared_ptr<DirectX8> real_;
    PositionLog& log_;
};

}  // namespace earshot::bench
