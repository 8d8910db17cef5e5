#include "game/sentences.h"

namespace earshot {

std::string filled(std::string_view format, std::string_view value) {
    std::string text(format);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, value);
    }
    return text;
}

}  // namespace earshot
