// The generator run again writes the very same bytes the build wrote: the
// sound set does not depend on the clock, on threads or on chance.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace earshot::sound::test {
namespace {

std::vector<char> bytesOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(SoundSetGenerator, WritesTheSameBytesEveryTime) {
    const std::filesystem::path built = EARSHOT_SOUND_DIR;
    // A folder of this run's own, so two builds testing at once do not meet.
    const std::filesystem::path again =
        std::filesystem::path(::testing::TempDir()) / ("earshot-sounds-again-" + std::to_string(::getpid()));
    std::filesystem::remove_all(again);
    const std::string command = std::string("\"") + EARSHOT_SOUND_GENERATOR + "\" \"" + again.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(again)) {
        const std::filesystem::path name = entry.path().filename();
        ASSERT_TRUE(std::filesystem::exists(built / name)) << name << " is written but not by the build";
        EXPECT_TRUE(bytesOf(entry.path()) == bytesOf(built / name)) << name << " came out different this time";
        ++compared;
    }
    EXPECT_EQ(compared, 15) << "files written into " << again;
    std::filesystem::remove_all(again);
}

}  // namespace
}  // namespace earshot::sound::test
