// The scratch folder that stands in for the user's home in these tests.
#pragma once

#include <filesystem>
#include <string>

namespace earshot::test {

// The folder test_main.cpp made: HOME, XDG_RUNTIME_DIR (run/) and
// XDG_CONFIG_HOME (config/) point into it.
const std::filesystem::path& clientScratchDir();

// The address the tests' process uses when no service of theirs runs: a
// socket in the scratch runtime folder that nobody serves.
std::string nobodysAddress();

}  // namespace earshot::test
