// Text made safe to hand to espeak-ng as plain text: control characters,
// which espeak-ng reads as its own embedded commands (0x01) or as the end of
// the text (0x00), become spaces.
#pragma once

#include <string>
#include <string_view>

namespace earshot {

std::string plainText(std::string_view text);

}  // namespace earshot
