#include "speech/espeak/plain_text.h"

namespace earshot {

std::string plainText(std::string_view text) {
    std::string plain(text);
    for (char& c : plain) {
        const auto byte = static_cast<unsigned char>(c);
        const bool layout = c == '\t' || c == '\n' || c == '\r';
        if ((byte < 0x20 && !layout) || byte == 0x7F) {
            c = ' ';
        }
    }
    return plain;
}

}  // namespace earshot
