// Runs the speech tests with no user configuration and no sound hardware:
// HOME is a fresh scratch folder, OpenAL's configuration variables are
// cleared and its null output (which plays in real time) is chosen, and
// espeak-ng reads the system's voice data. A test that needs a fresh
// process (espeak-ng starts once per process) runs as a death test, whose
// child process shares the parent's scratch folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "speech_scratch.h"

namespace earshot::test {

namespace {
std::filesystem::path scratchPath;
constexpr const char* scratchVariable = "EARSHOT_SPEECH_TEST_SCRATCH";
}  // namespace

const std::filesystem::path& speechScratchDir() {
    return scratchPath;
}

}  // namespace earshot::test

int main(int argc, char** argv) {
    using earshot::test::scratchPath;
    const char* inherited = std::getenv(earshot::test::scratchVariable);
    const bool owner = inherited == nullptr;
    if (owner) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "earshot-speech-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("cannot make a scratch folder");
            return 2;
        }
        scratchPath = pattern;
        setenv(earshot::test::scratchVariable, pattern.c_str(), 1);
    } else {
        scratchPath = inherited;
    }
    setenv("HOME", scratchPath.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    unsetenv("ALSOFT_CONF");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("ESPEAK_DATA_PATH");

    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int result = RUN_ALL_TESTS();
    if (owner) {
        std::error_code ignored;
        std::filesystem::remove_all(scratchPath, ignored);
    }
    return result;
}
