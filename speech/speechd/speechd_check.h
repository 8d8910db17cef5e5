// The one check on libspeechd's results: its calls answer -1 (or a null
// pointer) when the speech service refused a request or could not be
// reached, without a reason of their own, so the reason is ours.
#pragma once

#include <string>

namespace earshot {

// Throws SpeechError "<what>: the speech service refused it or did not
// answer" when `result` is negative.
void throwIfSpdError(int result, const std::string& what);

}  // namespace earshot
