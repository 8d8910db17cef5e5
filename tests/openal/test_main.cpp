// Runs the OpenAL tests with no user configuration: HOME points at a fresh
// scratch folder (where the tests also write their sound files) and the
// variables that name OpenAL configuration files are cleared. The default
// device is OpenAL Soft's null output, so no test reaches a sound card.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "scratch.h"

namespace earshot::test {

namespace {
std::filesystem::path scratchPath;
}

const std::filesystem::path& scratchDir() {
    return scratchPath;
}

}  // namespace earshot::test

int main(int argc, char** argv) {
    std::string pattern = (std::filesystem::temp_directory_path() / "earshot-openal-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("cannot make a scratch folder");
        return 2;
    }
    earshot::test::scratchPath = pattern;
    setenv("HOME", pattern.c_str(), 1);
    unsetenv("ALSOFT_CONF");
    unsetenv("XDG_CONFIG_HOME");
    setenv("ALSOFT_DRIVERS", "null", 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(earshot::test::scratchPath, ignored);
    return result;
}
