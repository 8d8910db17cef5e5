// Calling on a platform object that was never made (a game start that
// failed before it) is a run-time error like any failing call, never a
// crash.
#pragma once

#include <memory>
#include <string>

#include "game/errors.h"

namespace earshot {

template <typename T>
T& existing(const std::shared_ptr<T>& reference, const std::string& what) {
    if (!reference) {
        throw Error(what + " does not exist, since the game did not start.");
    }
    return *reference;
}

}  // namespace earshot
