// Calling on a platform object that was never made (a game start that
// failed before it) is a run-time error like any failing call, never a
// crash. The error's text is a whole sentence, so that the report can say
// it in the player's language.
#pragma once

#include <memory>

#include "game/errors.h"
#include "game/sentences.h"

namespace earshot {

template <typename T>
T& existing(const std::shared_ptr<T>& reference, const char* failure) {
    if (!reference) {
        throw Error(failure);
    }
    return *reference;
}

}  // namespace earshot
