#include "runtime/catalogues.h"

#include <libintl.h>

#include <clocale>

namespace earshot {

namespace {

constexpr const char* domain = "earshot";

}  // namespace

void useCatalogues(const std::string& programFolder) {
    std::setlocale(LC_MESSAGES, "");
    bindtextdomain(domain, (programFolder + "/locale").c_str());
    bind_textdomain_codeset(domain, "UTF-8");
}

std::string translated(const char* english) { return dgettext(domain, english); }

std::string catalogueLanguage() {
    // The empty id gives the catalogue's header, and nothing when there is
    // no catalogue for the player's language.
    const std::string header = std::string("\n") + dgettext(domain, "");
    const std::string field = "\nLanguage: ";
    const std::size_t start = header.find(field);
    if (start == std::string::npos) {
        return "";
    }
    const std::size_t from = start + field.size();
    const std::size_t end = header.find('\n', from);
    std::string language = header.substr(from, end == std::string::npos ? std::string::npos : end - from);
    while (!language.empty() && (language.back() == ' ' || language.back() == '\r')) {
        language.pop_back();
    }
    return language == "en" ? "" : language;
}

}  // namespace earshot
