#include "speech/espeak/espeak_engine.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <cctype>
#include <exception>
#include <utility>

#include "game/errors.h"
#include "speech/espeak/espeak_check.h"

namespace earshot {

namespace {

// espeak-ng delivers the samples through one process-wide callback, so the
// synthesis in progress is process-wide too (the engine's mutex guards it).
const EspeakEngine::SampleSink* activeSink = nullptr;
std::exception_ptr sinkFailure;

// Each chunk is this many milliseconds at most, so the first one is ready
// soon after synthesis starts.
constexpr int chunkMilliseconds = 20;

// No exception may cross espeak-ng: a failing sink stops the synthesis
// (a non-zero return) and its exception is rethrown after espeak-ng returns.
int onSynthesized(short* samples, int count, espeak_EVENT* /*events*/) {
    if (activeSink == nullptr) {
        return 1;
    }
    if (samples == nullptr || count <= 0) {
        return 0;  // the end of the text, or a chunk without sound
    }
    try {
        (*activeSink)(std::span<const std::int16_t>(samples, static_cast<std::size_t>(count)));
        return 0;
    } catch (...) {
        sinkFailure = std::current_exception();
        return 1;
    }
}

}  // namespace

EspeakEngine& EspeakEngine::instance() {
    // Set up once; a failure is remembered, since espeak-ng cannot be set up
    // a second time in the same process.
    static std::string failure;
    static EspeakEngine* const engine = []() -> EspeakEngine* {
        try {
            return new EspeakEngine();
        } catch (const SpeechError& error) {
            failure = error.what();
            return nullptr;
        }
    }();
    if (engine == nullptr) {
        throw SpeechError(failure);
    }
    return *engine;
}

EspeakEngine::EspeakEngine() {
    // A null path lets espeak-ng look where it always looks: ESPEAK_DATA_PATH,
    // then ~/espeak-ng-data, then the system's data. espeak_ng_Initialize
    // returns a status when the data is missing (the older espeak_Initialize
    // ends the process instead). It also sets LC_CTYPE to a UTF-8 locale,
    // which its character classes need.
    espeak_ng_InitializePath(nullptr);
    const char* path = nullptr;
    espeak_Info(&path);
    dataPath_ = path != nullptr ? path : "";

    const std::string cannot = "cannot create the speech voice: ";
    espeak_ng_ERROR_CONTEXT context = nullptr;
    throwIfEspeakError(espeak_ng_Initialize(&context),
                       cannot + "espeak-ng cannot load its voice data from " + dataPath_,
                       &context);
    // Synchronous: espeak-ng opens no audio device of its own and hands every
    // chunk to the callback before espeak_ng_Synthesize returns.
    throwIfEspeakError(
        espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, chunkMilliseconds, nullptr),
        cannot + "espeak-ng cannot set up its output");
    espeak_SetSynthCallback(&onSynthesized);
    throwIfEspeakError(espeak_ng_SetVoiceByName("en"),
                       cannot + "espeak-ng has no English voice in " + dataPath_);
    sampleRate_ = espeak_ng_GetSampleRate();
    if (sampleRate_ <= 0) {
        throw SpeechError(cannot + "espeak-ng reports no sample rate");
    }
}

std::string EspeakEngine::useLanguage(const std::string& language) {
    // espeak-ng names its voices in lower case with a hyphen: "pt-br".
    std::string name;
    for (char c : language) {
        if (c == '.' || c == '@') {
            break;  // a character set or a variant, as in "de_DE.UTF-8"
        }
        name += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::lock_guard lock(mutex_);
    for (const std::string& candidate : {name, name.substr(0, name.find('-'))}) {
        if (!candidate.empty() && candidate != "en" &&
            espeak_ng_SetVoiceByName(candidate.c_str()) == ENS_OK) {
            return candidate;
        }
    }
    throwIfEspeakError(espeak_ng_SetVoiceByName("en"),
                       "choosing the speech voice failed: espeak-ng has no English voice in " + dataPath_);
    return "en";
}

void EspeakEngine::synthesize(const std::string& text, const SampleSink& sink) {
    const std::lock_guard lock(mutex_);
    activeSink = &sink;
    sinkFailure = nullptr;
    // Plain UTF-8 text: no espeakSSML, so '<' and '&' are read as text, and
    // no espeakPHONEMES, so "[[" is too.
    const espeak_ng_STATUS status =
        espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                             espeakCHARS_UTF8, nullptr, nullptr);
    activeSink = nullptr;
    if (sinkFailure) {
        std::rethrow_exception(std::exchange(sinkFailure, nullptr));
    }
    throwIfEspeakError(status,
                       "speaking \"" + text + "\" failed: espeak-ng could not synthesise it");
}

}  // namespace earshot
