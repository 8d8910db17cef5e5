// The scratch folder that the speech tests use as HOME and for the voice
// data folders they make.
#pragma once

#include <filesystem>

namespace earshot::test {

const std::filesystem::path& speechScratchDir();

}  // namespace earshot::test
