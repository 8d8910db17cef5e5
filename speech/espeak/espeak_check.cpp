#include "speech/espeak/espeak_check.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "game/errors.h"

namespace earshot {

namespace {

// espeak-ng's reports end in a full stop and a new line, and some begin with
// "Error: "; the caller's own words come first instead.
std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '.')) {
        text.pop_back();
    }
    constexpr std::string_view prefix = "Error: ";
    if (text.starts_with(prefix)) {
        text.erase(0, prefix.size());
    }
    return text;
}

// espeak-ng prints the file named by an error context but has no call that
// returns it, so its report is printed into memory.
std::string contextReport(espeak_ng_STATUS status, espeak_ng_ERROR_CONTEXT context) {
    char* buffer = nullptr;
    std::size_t length = 0;
    FILE* stream = open_memstream(&buffer, &length);
    if (stream == nullptr) {
        return {};
    }
    espeak_ng_PrintStatusCodeMessage(status, stream, context);
    std::fclose(stream);
    const std::unique_ptr<char, decltype(&std::free)> owned(buffer, &std::free);
    return buffer == nullptr ? std::string() : std::string(buffer, length);
}

}  // namespace

std::string espeakStatusText(espeak_ng_STATUS status, espeak_ng_ERROR_CONTEXT* context) {
    std::string text;
    if (context != nullptr && *context != nullptr) {
        text = trimmed(contextReport(status, *context));
        espeak_ng_ClearErrorContext(context);
    }
    if (text.empty()) {
        char buffer[512] = {};
        espeak_ng_GetStatusCodeMessage(status, buffer, sizeof buffer);
        text = trimmed(buffer);
    }
    if (text.empty()) {
        text = "espeak-ng status " + std::to_string(static_cast<unsigned>(status));
    }
    return text;
}

void throwIfEspeakError(espeak_ng_STATUS status, const std::string& what,
                        espeak_ng_ERROR_CONTEXT* context) {
    if (status != ENS_OK) {
        throw SpeechError(what + ": " + espeakStatusText(status, context));
    }
}

}  // namespace earshot
