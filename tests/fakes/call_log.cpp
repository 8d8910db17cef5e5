#include "tests/fakes/call_log.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace earshot::fakes {

std::vector<std::string> CallLog::matching(const std::string& part) const {
    std::vector<std::string> found;
    for (const auto& entry : entries) {
        if (entry.find(part) != std::string::npos) {
            found.push_back(entry);
        }
    }
    return found;
}

int CallLog::find(const std::string& part, int from) const {
    for (int i = from; i < static_cast<int>(entries.size()); ++i) {
        if (entries[static_cast<std::size_t>(i)].find(part) != std::string::npos) {
            return i;
        }
    }
    return -1;
}

std::string CallLog::dump() const {
    std::string text;
    for (const auto& entry : entries) {
        text += "  " + entry + "\n";
    }
    return text;
}

std::string num(float value) {
    std::array<char, 32> text{};
    if (value == static_cast<float>(static_cast<long long>(value)) && value < 1e9F && value > -1e9F) {
        std::snprintf(text.data(), text.size(), "%lld", static_cast<long long>(value));
        return text.data();
    }
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text.data(), text.size(), "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text.data(), nullptr) == value) {
            break;
        }
    }
    return text.data();
}

}  // namespace earshot::fakes
