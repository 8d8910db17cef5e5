// The one place that turns a failing SDL call into the program's run-time
// errors, with SDL's own words for the cause.
#pragma once

#include <string>
#include <string_view>

namespace earshot {

// "<what>: <SDL's last error>" (or "<what>." when SDL gave no reason).
std::string sdlFailure(std::string_view what);

// Throws WindowError naming what failed when an SDL call returned a
// negative status.
void throwIfSdlFailed(int status, std::string_view what);

}  // namespace earshot
