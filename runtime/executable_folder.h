// Where the program lies, found from the running executable itself, so the
// working directory it was started from does not matter.
#pragma once

#include <string>

namespace earshot {

// The folder of the running executable, absolute, with no trailing
// separator. Throws WindowError when the system does not say.
std::string executableFolder();

}  // namespace earshot
