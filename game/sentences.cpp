#include "game/sentences.h"

namespace earshot {

std::string filled(std::string_view format, const std::vector<std::string>& values) {
    std::string text;
    std::size_t from = 0;
    for (const std::string& value : values) {
        const std::size_t at = format.find("%s", from);
        if (at == std::string_view::npos) {
            break;
        }
        text.append(format.substr(from, at - from)).append(value);
        from = at + 2;
    }
    text.append(format.substr(from));
    return text;
}

std::string filled(std::string_view format, std::string_view value) {
    return filled(format, std::vector<std::string>{std::string(value)});
}

}  // namespace earshot
