// The one check on espeak-ng's status codes: a failing status becomes a
// SpeechError that says what was being done and espeak-ng's own reason.
#pragma once

#include <espeak-ng/espeak_ng.h>

#include <string>

namespace earshot {

// espeak-ng's words for `status`; with an error context (which it then
// clears) they name the file that could not be read.
std::string espeakStatusText(espeak_ng_STATUS status, espeak_ng_ERROR_CONTEXT* context = nullptr);

// Throws SpeechError "<what>: <reason>" unless `status` is ENS_OK.
void throwIfEspeakError(espeak_ng_STATUS status, const std::string& what,
                        espeak_ng_ERROR_CONTEXT* context = nullptr);

}  // namespace earshot
