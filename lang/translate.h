// The texts the player reads, in the language in use: one catalogue, loaded when the
// language is chosen, and nothing else read. Until then, and for English, every text is
// its source as written in the code, so English is exactly what it always was.
//
// The marking functions below are the keywords xgettext extracts into po/flipora.pot
// (po/CMakeLists.txt lists them): a text the player meets is written as Translate("...")
// where it is shown, or Translatable("...") where it is only named and translated later.
#pragma once

#include <string>
#include <vector>

#include "lang/catalogue.h"

// The catalogue's file name in every language's folder: <folder>/<code>/LC_MESSAGES/flipora.mo,
// the layout gettext's tools and the system's locale folders use.
inline constexpr const char* kTextDomain = "flipora";
std::string CataloguePath(const std::string& folder, const std::string& code);
// Whether one of folders holds a catalogue for code.
bool HasCatalogue(const std::vector<std::string>& folders, const std::string& code);

const char* Translate(const char* text);
// A text whose meaning needs a hint (a button's label, a rank), told apart by a context.
const char* TranslateIn(const char* context, const char* text);
// A text shown with a number: one for n == 1 in English, many otherwise; the language's own
// rule chooses among its forms.
const char* TranslatePlural(const char* one, const char* many, unsigned long n);
// Mark a text for the catalogue where it is only named; Translate it where it is shown.
constexpr const char* Translatable(const char* text)
{
    return text;
}
constexpr const char* TranslatableIn(const char* /*context*/, const char* text)
{
    return text;
}

// The language in use from now on, its catalogue found in the first of folders that has
// one. "" is English. False, with the reason, when the catalogue cannot be read; English
// is then in use.
bool UseLanguage(const std::string& code, const std::vector<std::string>& folders,
                 std::string* error);
// A catalogue already read (the tests' own).
void UseCatalogue(const std::string& code, Catalogue catalogue);

const std::string& LanguageInUse();  // "" for English
// Every code point above 127 the language's texts use (none for English): the glyphs it
// needs beyond ASCII.
const std::u32string& LanguageCharacters();
