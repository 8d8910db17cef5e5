#include "runtime/executable_folder.h"

#include <filesystem>
#include <system_error>

#include "game/errors.h"

namespace earshot {

std::string executableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw WindowError("Cannot find the program's folder from /proc/self/exe: " +
                          error.message() + ".");
    }
    return executable.parent_path().string();
}

}  // namespace earshot
