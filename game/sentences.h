// The game's sentences are written in English where they are made and said
// in the player's language. `sentence` marks an English sentence for the
// catalogues where it is written down (the catalogue tools find it by this
// name, and by Form1::tr, which translates at once); `filled` puts a value
// into the one placeholder, %s, of a sentence that has been translated.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace earshot {

constexpr const char* sentence(const char* english) { return english; }

// The sentence with its placeholders, %s, replaced by `values` in order,
// each put in as it comes; a placeholder without a value stays as it is.
std::string filled(std::string_view format, const std::vector<std::string>& values);
std::string filled(std::string_view format, std::string_view value);

}  // namespace earshot
