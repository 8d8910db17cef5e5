// A voice that cannot be made is a SpeechError with a clear message, never
// the end of the process. espeak-ng starts once per process, so each case
// runs in a fresh child process (a death test) that prints the message.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>

#include "game/errors.h"
#include "speech/espeak/espeak_voice.h"
#include "speech_scratch.h"

namespace earshot {
namespace {

namespace fs = std::filesystem;

// Where espeak-ng finds its data when nothing points elsewhere, found
// without starting espeak-ng in this process.
fs::path systemDataPath() {
    espeak_ng_InitializePath(nullptr);
    const char* path = nullptr;
    espeak_Info(&path);
    return path != nullptr ? fs::path(path) : fs::path();
}

void writeFile(const fs::path& file, const std::string& contents) {
    std::ofstream out(file, std::ios::binary);
    out << contents;
}

// Makes the child's voice: exit 0 if it was made, 3 with the message on
// standard error if it was refused.
[[noreturn]] void makeVoiceAndExit() {
    try {
        createEspeakVoice();
    } catch (const SpeechError& error) {
        std::fprintf(stderr, "refused: %s\n", error.what());
        std::fflush(stderr);
        std::_Exit(3);
    }
    std::_Exit(0);
}

struct FailureCase {
    const char* name;
    // Makes the voice data folder the child is pointed at, in `scratch`,
    // and returns it.
    std::function<fs::path(const fs::path& scratch)> dataFolder;
    // Another variable the child sets, if any.
    const char* variable;
    const char* value;
    // The message the child must print (or how it begins).
    std::function<std::string(const fs::path& data)> message;
};

void PrintTo(const FailureCase& scenario, std::ostream* out) {
    *out << scenario.name;
}

class EspeakVoiceFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(EspeakVoiceFailureTest, FactoryThrowsSpeechErrorWithClearMessage) {
    const auto& scenario = GetParam();
    const fs::path scratch = test::speechScratchDir() / (std::string("data-") + scenario.name);
    fs::create_directories(scratch);
    const fs::path data = scenario.dataFolder(scratch);
    const std::string expected = "refused: " + scenario.message(data);
    EXPECT_EXIT(
        {
            setenv("ESPEAK_DATA_PATH", data.c_str(), 1);
            if (scenario.variable != nullptr) {
                setenv(scenario.variable, scenario.value, 1);
            }
            makeVoiceAndExit();
        },
        ::testing::ExitedWithCode(3), ::testing::HasSubstr(expected));
}

const std::string cannot = "cannot create the speech voice: ";

INSTANTIATE_TEST_SUITE_P(
    Cases, EspeakVoiceFailureTest,
    ::testing::Values(
        FailureCase{"empty_folder", [](const fs::path& scratch) { return scratch; }, nullptr,
                    nullptr,
                    [](const fs::path& data) {
                        return cannot + "espeak-ng cannot load its voice data from " +
                               data.string() + ": Error processing file '" +
                               (data / "phontab").string() + "': No such file or directory";
                    }},
        FailureCase{"foreign_data",
                    [](const fs::path& scratch) {
                        for (const char* name :
                             {"phontab", "phonindex", "phondata", "intonations"}) {
                            writeFile(scratch / name, "these are not espeak-ng's phonemes");
                        }
                        return scratch;
                    },
                    nullptr, nullptr,
                    [](const fs::path& data) {
                        return cannot + "espeak-ng cannot load its voice data from " +
                               data.string() + ": Wrong version of espeak-ng-data at '" +
                               data.string() + "' (expected 0x";
                    }},
        FailureCase{"no_voices",
                    [](const fs::path& scratch) {
                        const fs::path system = systemDataPath();
                        for (const char* name :
                             {"phontab", "phonindex", "phondata", "intonations", "en_dict"}) {
                            fs::copy_file(system / name, scratch / name,
                                          fs::copy_options::overwrite_existing);
                        }
                        return scratch;
                    },
                    nullptr, nullptr,
                    [](const fs::path& data) {
                        return cannot + "espeak-ng has no English voice in " + data.string() +
                               ": The specified espeak-ng voice does not exist";
                    }},
        FailureCase{"no_audio_output", [](const fs::path&) { return systemDataPath(); },
                    "ALSOFT_DRIVERS", "no-such-driver",
                    [](const fs::path&) {
                        return cannot + "it has no audio output (cannot open the audio output: " +
                               "there is no audio device)";
                    }}),
    [](const ::testing::TestParamInfo<FailureCase>& testCase) {
        return std::string(testCase.param.name);
    });

// The same child succeeds with the system's data, so the refusals above
// come from the data and not from the child.
TEST(EspeakVoiceFailureTest, FactoryMakesTheVoiceWithTheSystemData) {
    const fs::path data = systemDataPath();
    EXPECT_EXIT(
        {
            setenv("ESPEAK_DATA_PATH", data.c_str(), 1);
            makeVoiceAndExit();
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace earshot
