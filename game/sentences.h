// The game's sentences are written in English where they are made and said
// in the player's language. `sentence` marks an English sentence for the
// catalogues where it is written down (the catalogue tools find it by this
// name, and by Form1::tr, which translates at once); `filled` puts a value
// into the one placeholder, %s, of a sentence that has been translated.
#pragma once

#include <string>
#include <string_view>

namespace earshot {

constexpr const char* sentence(const char* english) { return english; }

// The sentence with its first %s replaced by `value`, which is put in as it
// comes; a sentence without a placeholder is returned as it is.
std::string filled(std::string_view format, std::string_view value);

}  // namespace earshot
