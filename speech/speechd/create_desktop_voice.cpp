#include "audio/openal/al_output.h"
#include "speech/espeak/espeak_voice.h"
#include "speech/speechd/desktop_voice.h"

namespace earshot {

std::shared_ptr<SpVoice> createDesktopVoice() {
    DesktopVoiceOptions options;
    options.soundLost = [] { return AlOutput::sharedLost(); };
    options.soundReturns = [] { return AlOutput::sharedReturns(); };
    return std::make_shared<DesktopVoice>(options, createEspeakVoice);
}

}  // namespace earshot
