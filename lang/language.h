// Which language the game speaks: what the player's system asks for, read the way gettext
// reads it, against the catalogues the game has.
#pragma once

#include <functional>
#include <string>
#include <vector>

// The languages a POSIX environment asks for, most wanted first, in gettext's order: the
// locale of messages is LC_ALL, else LC_MESSAGES, else LANG (the first set and not empty);
// when it is "C" or "POSIX" the program's own texts are wanted and nothing else counts;
// otherwise LANGUAGE's colon-separated list when it is set, else the locale itself. Whether
// the locale was generated does not matter, so LANGUAGE=de under LANG=C.UTF-8 asks for
// German. Empty when nothing is asked for.
std::vector<std::string> WantedLanguages(const char* language, const char* lcAll,
                                         const char* lcMessages, const char* lang);

// The names a catalogue for one wanted language may have, most specific first:
// "de_AT.UTF-8@euro" gives de_AT@euro, de_AT, de@euro, de. Windows' "pt-BR" reads as pt_BR.
std::vector<std::string> CatalogueNames(const std::string& wanted);

// The name of the catalogue to use: the first wanted language that has one (hasCatalogue
// tells), "" for the texts as written. English ("en", "en_GB", "C", "POSIX") is the
// texts as written: asked for before any other language, it wins.
std::string ChooseLanguage(const std::vector<std::string>& wanted,
                           const std::function<bool(const std::string&)>& hasCatalogue);
