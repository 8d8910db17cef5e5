// The audio output's latency as OpenAL Soft sets it up for the game: the
// device the game opens (the same call, with HRTF requested), its updates
// a second as the device reports them (ALC_REFRESH), and the size and
// number of the periods it buffers. OpenAL Soft 1.19 has no query for
// these two, so they are read where the library reads them: the
// "period_size" and "periods" settings of its configuration files (the
// last file that sets one wins), else the library's defaults, 1024 frames
// and 3 periods. The device's refresh is the rate over the period size,
// rounded down, which bears them out.
//
// Prints one line:
//   output <rate> <refresh> <period frames> <periods> <latency ms> <set in> | <device> | <HRTF>
#include <AL/alc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "audio/openal/al_output.h"

namespace {

// A whole-number setting of an OpenAL Soft configuration file's general
// part.
std::optional<int> settingIn(const std::string& path, const std::string& name) {
    std::ifstream in(path);
    std::string line;
    std::string section = "general";
    std::optional<int> found;
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        line = line.substr(first);
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const auto equals = line.find('=');
        if (section != "general" || equals == std::string::npos) {
            continue;
        }
        std::string key = line.substr(0, equals);
        key.erase(key.find_last_not_of(" \t") + 1);
        if (key == name) {
            found = std::atoi(line.c_str() + equals + 1);
        }
    }
    return found;
}

// Where OpenAL Soft 1.19 reads its configuration, in its order.
std::vector<std::string> configFiles() {
    std::vector<std::string> files = {"/etc/openal/alsoft.conf"};
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    files.push_back(std::string(dirs != nullptr && *dirs != '\0' ? dirs : "/etc/xdg") + "/alsoft.conf");
    if (const char* home = std::getenv("HOME")) {
        files.push_back(std::string(home) + "/.alsoftrc");
    }
    if (const char* config = std::getenv("XDG_CONFIG_HOME")) {
        files.push_back(std::string(config) + "/alsoft.conf");
    } else if (const char* home = std::getenv("HOME")) {
        files.push_back(std::string(home) + "/.config/alsoft.conf");
    }
    if (const char* named = std::getenv("ALSOFT_CONF")) {
        files.emplace_back(named);
    }
    return files;
}

}  // namespace

int main() {
    try {
        const auto output = earshot::AlOutput::shared();
        ALCint rate = 0;
        ALCint refresh = 0;
        alcGetIntegerv(output->device(), ALC_FREQUENCY, 1, &rate);
        alcGetIntegerv(output->device(), ALC_REFRESH, 1, &refresh);
        int periodSize = 1024;
        int periods = 3;
        std::string from = "defaults";
        for (const auto& file : configFiles()) {
            if (const auto value = settingIn(file, "period_size")) {
                periodSize = *value;
                from = file;
            }
            if (const auto value = settingIn(file, "periods")) {
                periods = *value;
                from = file;
            }
        }
        const char* name = alcGetString(output->device(), ALC_DEVICE_SPECIFIER);
        std::printf("output %d %d %d %d %.1f %s | %s | %s\n", rate, refresh, periodSize, periods,
                    1000.0 * periodSize * periods / rate, from.c_str(), name != nullptr ? name : "?",
                    output->hrtfStatusText().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "output latency: %s\n", error.what());
        return 1;
    }
    return 0;
}
