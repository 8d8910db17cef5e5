// Opening a libspeechd connection within a time bound. spd_open2 waits
// without a limit for a service that accepts the connection but does not
// answer, and may first start the service; it runs on a thread of its own,
// and when the bound passes first the game goes on without it (the thread
// closes the connection itself should it still come).
#pragma once

#include <libspeechd.h>

#include <chrono>

namespace earshot {

// A threaded connection for client "earshot". Throws SpeechError with the
// library's reason when it fails, or when `bound` passes first.
SPDConnection* openSpeechdConnection(bool autospawn, std::chrono::milliseconds bound);

}  // namespace earshot
