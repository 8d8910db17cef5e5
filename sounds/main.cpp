// earshot-sounds: writes the game's fifteen sound files into the folder
// named on its command line. The build runs it; the same program always
// writes the same bytes.
#include <exception>
#include <filesystem>
#include <future>
#include <iostream>
#include <string>
#include <vector>

#include "cues.h"
#include "music_sets.h"
#include "wav_file.h"

namespace {

using namespace earshot::sound;

void writeSet(const std::filesystem::path& folder, int number, MusicSet set) {
    writeWav(folder / ("left" + std::to_string(number) + ".wav"), set.left);
    writeWav(folder / ("right" + std::to_string(number) + ".wav"), set.right);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: earshot-sounds FOLDER (writes the game's sound files there)\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        // Each piece is composed on a thread of its own (they share nothing,
        // so the bytes do not depend on the order they finish in).
        std::vector<std::future<void>> pieces;
        const auto compose = [&](auto job) { pieces.push_back(std::async(std::launch::async, job)); };
        const std::vector<MusicSet (*)()> sets = {harpAndBackbeat, pianoAndDisco,  marimbaWaltz,
                                                   organShuffle,    chipAndElectro, saxAndHipHop};
        for (std::size_t i = 0; i < sets.size(); ++i) {
            compose([&folder, &sets, i] { writeSet(folder, static_cast<int>(i + 1), sets[i]()); });
        }
        compose([&folder] { writeWav(folder / "tavlora.wav", introTune()); });
        compose([&folder] { writeWav(folder / "LevelUp.wav", levelUpFanfare()); });
        compose([&folder] { writeWav(folder / "wire.wav", wireBuzz()); });
        for (std::future<void>& piece : pieces) {
            piece.get();  // rethrows what went wrong in that piece
        }
    } catch (const std::exception& error) {
        std::cerr << "earshot-sounds: could not make the sound files: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
