// The scratch folder of one run of the OpenAL tests.
#pragma once

#include <filesystem>

namespace earshot::test {

const std::filesystem::path& scratchDir();

}  // namespace earshot::test
