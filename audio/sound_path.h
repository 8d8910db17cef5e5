// Where the game finds a sound: the program's folder, then the sounds
// folder, then the file name, unchanged in case.
#pragma once

#include <string>

namespace earshot {

inline std::string soundPath(const std::string& programFolder, const std::string& fileName) {
    return programFolder + "/sounds/" + fileName;
}

// A cue's file: its name as given, with ".wav".
inline std::string cuePath(const std::string& programFolder, const std::string& cueName) {
    return soundPath(programFolder, cueName + ".wav");
}

}  // namespace earshot
