// What one SDL mouse event says as input records: a motion gives an x
// record and then a y record (none for an axis that did not move), a
// button its new state, the wheel its turn in detents of 120.
#pragma once

#include <SDL.h>

#include <array>
#include <cstddef>

#include "input/direct_input.h"

namespace earshot {

struct MouseRecords {
    std::array<DIDEVICEOBJECTDATA, 2> records{};
    std::size_t count = 0;
};

// The records of the event, stamped with the event's time and the given
// sequence number (the records of one event happened together and share
// it). Events that are not about the mouse give none.
MouseRecords mouseRecords(const SDL_Event& event, std::int32_t sequence);

}  // namespace earshot
