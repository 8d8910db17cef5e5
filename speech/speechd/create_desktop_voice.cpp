#include "speech/espeak/espeak_voice.h"
#include "speech/speechd/desktop_voice.h"

namespace earshot {

std::shared_ptr<SpVoice> createDesktopVoice() {
    return std::make_shared<DesktopVoice>(DesktopVoiceOptions{}, createEspeakVoice);
}

}  // namespace earshot
