// The player's language through GNU gettext, as the C library has it: the
// program's catalogues lie in the `locale` folder beside it, as its sounds
// lie in `sounds`, so a build, an installed program and a copy anywhere
// each find their own. Only the messages category is taken from the
// environment; numbers and everything else stay as the C locale has them.
#pragma once

#include <string>

namespace earshot {

// Takes the messages category from the environment and opens the catalogues
// in `programFolder`/locale, asking for UTF-8 whatever the locale's own
// character set.
void useCatalogues(const std::string& programFolder);

// The sentence in the player's language; the English itself when the
// catalogue has none or there is no catalogue.
std::string translated(const char* english);

// The language of the catalogue in use, as its header names it ("de",
// "pt_BR"); empty when the game speaks English.
std::string catalogueLanguage();

}  // namespace earshot
