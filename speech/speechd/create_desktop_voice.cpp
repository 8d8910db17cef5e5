#include <utility>

#include "audio/openal/al_output.h"
#include "speech/espeak/espeak_voice.h"
#include "speech/speechd/desktop_voice.h"

namespace earshot {

std::shared_ptr<SpVoice> createDesktopVoice(
    const std::string& language, std::function<void(const std::string& cause)> serviceFailed) {
    DesktopVoiceOptions options;
    options.serviceFailed = std::move(serviceFailed);
    options.language = language;
    options.soundLost = [] { return AlOutput::sharedLost(); };
    options.soundReturns = [] { return AlOutput::sharedReturns(); };
    return std::make_shared<DesktopVoice>(options, [language] { return createEspeakVoice(language); });
}

}  // namespace earshot
