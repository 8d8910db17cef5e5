// The program: the game window over SDL, sound through OpenAL Soft, speech
// through the desktop's speech service, or espeak-ng when there is none. It
// takes no command line and reads no configuration.
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "audio/openal/al_output.h"
#include "audio/openal/output_notices.h"
#include "game/errors.h"
#include "game/form1.h"
#include "game/platform.h"
#include "runtime/catalogues.h"
#include "runtime/output_announcer.h"
#include "runtime/sdl_direct_x8.h"
#include "runtime/sdl_runtime.h"
#include "speech/speech_wait.h"
#include "speech/speechd/desktop_voice.h"

int main() {
    using namespace earshot;
    std::optional<SdlRuntime> runtime;
    try {
        runtime.emplace();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "earshot: cannot open the game window: %s\n", error.what());
        return 1;
    }
    // A player must always be able to quit at once: while the game waits
    // for the voice to finish a sentence, an Escape that is waiting ends
    // the program all the same. The sound output is looked at there too, so
    // that its loss is noticed in the middle of a sentence.
    setSpeechWaitHook([&runtime] {
        runtime->endIfEscapePending();
        AlOutput::pollShared();
    });
    // And on every round of the event loop, at least once a tick: with the
    // drift frozen and no key pressed the game itself asks nothing of the
    // sound, and a loss or a return must still be heard of.
    runtime->setLoopWatch([] { AlOutput::pollShared(); });
    // The player's language, from the catalogues beside the program; the
    // voice speaks it too, but only when there is a translation to speak.
    useCatalogues(runtime->appPath());
    const std::string language = catalogueLanguage();
    // The player hears of a lost output, of its return, and of 3D sound
    // that is off.
    OutputAnnouncer announcer(*runtime, translated);
    setOutputNoticeHook([&announcer](const OutputNotice& notice) { announcer.notice(notice); });
    try {
        Platform platform{
            *runtime,
            [&runtime] { return std::make_shared<SdlDirectX8>(runtime->eventSinks()); },
            [&announcer, language] {
                // A speech service that fails is said like a lost output:
                // the player hears the voice change and is told why.
                return announcer.speakingThrough(
                    createDesktopVoice(language, [&announcer](const std::string& cause) {
                        announcer.announce(speechServiceFailedText(), cause);
                    }));
            },
            translated,
        };
        Form1 form(platform);
        runtime->run(form);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "earshot: %s\n", error.what());
        return 1;
    }
}
