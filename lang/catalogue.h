// A compiled gettext catalogue, the .mo file msgfmt writes: read whole, checked once, then
// looked up by binary search. The same reader serves Linux and Windows, which has no
// libintl, and it lets the game change language while it runs, whatever locales the
// system has generated (glibc's gettext follows setlocale and would fall back to English).
//
// The format (GNU gettext manual, "The Format of GNU MO Files"): a 28-byte header of 32-bit
// words in the writer's byte order (magic 0x950412de, revision, string count N, offset of
// the originals' table, offset of the translations' table, hash table size and offset),
// then two tables of N (length, offset) pairs, each pointing at a NUL-terminated string.
// The originals are sorted bytewise. An original with a context is "context\x04text"; one
// with a plural is "one\0many" and its translation holds the forms one after another,
// NUL-separated. The original "" holds the header, whose Plural-Forms line chooses forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "lang/plural.h"

struct Catalogue {
    std::string bytes;     // the whole file; every entry was checked to lie inside it
    uint32_t count = 0;
    uint32_t originals = 0;     // offset of the originals' table
    uint32_t translations = 0;  // offset of the translations' table
    bool swapped = false;       // written in the other byte order
    PluralRule plural;
};

// Takes a file's bytes. False, with a short reason, for anything but a well-formed UTF-8
// catalogue: a bad magic, a table or string outside the file, a string without its
// terminator, originals out of order, a charset other than UTF-8, a Plural-Forms line
// that does not parse. *catalogue is only changed on success.
bool ReadCatalogue(std::string bytes, Catalogue* catalogue, std::string* error);

// ReadCatalogue of a file on disk (path in UTF-8).
bool LoadCatalogue(const std::string& path, Catalogue* catalogue, std::string* error);

// The translation of text (with context, or none for null), or null when the catalogue has
// none. For an entry with plural forms, the form for n; without one, n is not used.
const char* FindTranslation(const Catalogue& catalogue, const char* context, const char* text,
                            unsigned long n = 1);

// Every code point above 127 that a translation uses, sorted, each once: the glyphs a
// language needs beyond ASCII.
std::u32string TranslatedCharacters(const Catalogue& catalogue);

// The next code point of UTF-8 text at *at, which moves past it; a byte that does not
// start a well-formed sequence (overlong, a surrogate, beyond U+10FFFF, cut short) gives
// kNotACharacter and moves one byte on.
inline constexpr char32_t kNotACharacter = 0xFFFFFFFF;
char32_t NextCodePoint(const char** at, const char* end);
