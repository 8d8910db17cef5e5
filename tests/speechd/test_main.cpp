// Runs the speech-service tests in a process that cannot reach the user's
// speech service or start one: HOME, the runtime folder and the
// configuration folder are a fresh scratch folder, SPEECHD_ADDRESS names a
// socket there that nobody serves, and the desktop settings there forbid
// starting the service (so even a voice that is allowed to start one finds
// none). A test that wants a service starts its own and points
// SPEECHD_ADDRESS at it. The built-in voice plays through OpenAL Soft's
// null output, without sound hardware.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "client_scratch.h"

namespace earshot::test {

namespace {
std::filesystem::path scratchPath;
}  // namespace

const std::filesystem::path& clientScratchDir() {
    return scratchPath;
}

std::string nobodysAddress() {
    return "unix_socket:" + (scratchPath / "run" / "nobody.sock").string();
}

}  // namespace earshot::test

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    using earshot::test::scratchPath;
    std::string pattern = (fs::temp_directory_path() / "earshot-speechd-client-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("cannot make a scratch folder");
        return 2;
    }
    scratchPath = pattern;
    fs::create_directories(scratchPath / "config" / "speech-dispatcher");
    fs::create_directories(scratchPath / "run");
    fs::permissions(scratchPath / "run", fs::perms::owner_all);
    std::ofstream(scratchPath / "config" / "speech-dispatcher" / "speechd.conf") << "DisableAutoSpawn\n";

    setenv("HOME", scratchPath.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (scratchPath / "run").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratchPath / "config").c_str(), 1);
    setenv("SPEECHD_ADDRESS", earshot::test::nobodysAddress().c_str(), 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    unsetenv("ALSOFT_CONF");
    unsetenv("ESPEAK_DATA_PATH");

    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    fs::remove_all(scratchPath, ignored);
    return result;
}
