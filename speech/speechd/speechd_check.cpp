#include "speech/speechd/speechd_check.h"

#include "game/errors.h"

namespace earshot {

void throwIfSpdError(int result, const std::string& what) {
    if (result < 0) {
        throw SpeechError(what + ": the speech service refused it or did not answer");
    }
}

}  // namespace earshot
