// The input objects the game shares: the input root and the mouse device.
#pragma once

#include <memory>

#include "input/direct_input.h"

namespace earshot {

struct ModDxInput {
    std::shared_ptr<DirectInput8> DI;
    std::shared_ptr<DirectInputDevice8> Mouse;
};

}  // namespace earshot
