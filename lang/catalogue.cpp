#include "lang/catalogue.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

constexpr uint32_t kMagic = 0x950412de;
constexpr uint32_t kSwappedMagic = 0xde120495;
constexpr size_t kHeaderBytes = 28;
constexpr char kContextGlue = '\x04';

uint32_t Word(const std::string& bytes, size_t at, bool swapped)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
    uint32_t little = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
    uint32_t big = b[3] | (b[2] << 8) | (b[1] << 16) | (static_cast<uint32_t>(b[0]) << 24);
    // The magic read in little-endian order tells which order the writer used.
    return swapped ? big : little;
}

struct Entry {
    uint32_t length, offset;
};

Entry EntryAt(const Catalogue& catalogue, uint32_t table, uint32_t index)
{
    size_t at = table + static_cast<size_t>(index) * 8;
    return {Word(catalogue.bytes, at, catalogue.swapped), Word(catalogue.bytes, at + 4, catalogue.swapped)};
}

const char* StringOf(const Catalogue& catalogue, Entry entry)
{
    return catalogue.bytes.data() + entry.offset;
}

// Every pair of a table points inside the file at a string that ends there with a NUL.
bool TableFits(const Catalogue& catalogue, uint32_t table)
{
    const size_t size = catalogue.bytes.size();
    if (table > size || (size - table) / 8 < catalogue.count)
        return false;
    for (uint32_t i = 0; i < catalogue.count; ++i) {
        Entry entry = EntryAt(catalogue, table, i);
        if (entry.offset >= size || entry.length >= size - entry.offset)
            return false;
        if (catalogue.bytes[static_cast<size_t>(entry.offset) + entry.length] != '\0')
            return false;
    }
    return true;
}

// Bytewise order, as msgfmt sorts; the lookup's binary search depends on it.
bool OriginalsSorted(const Catalogue& catalogue)
{
    for (uint32_t i = 1; i < catalogue.count; ++i) {
        const char* before = StringOf(catalogue, EntryAt(catalogue, catalogue.originals, i - 1));
        const char* after = StringOf(catalogue, EntryAt(catalogue, catalogue.originals, i));
        if (std::strcmp(before, after) >= 0)
            return false;
    }
    return true;
}

// A header line's value ("Plural-Forms: ..."), empty when the line is not there.
std::string HeaderField(const std::string& header, const char* name)
{
    std::string key = std::string(name) + ":";
    size_t at = 0;
    while (at < header.size()) {
        size_t end = header.find('\n', at);
        if (end == std::string::npos)
            end = header.size();
        if (header.compare(at, key.size(), key) == 0) {
            size_t start = at + key.size();
            while (start < end && header[start] == ' ')
                ++start;
            return header.substr(start, end - start);
        }
        at = end + 1;
    }
    return "";
}

bool ReadHeader(const Catalogue& catalogue, PluralRule* plural, std::string* error)
{
    // The header is the translation of "", which sorts first.
    if (catalogue.count == 0 || StringOf(catalogue, EntryAt(catalogue, catalogue.originals, 0))[0] != '\0')
        return true;  // no header: ASCII texts and English's two forms
    std::string header = StringOf(catalogue, EntryAt(catalogue, catalogue.translations, 0));
    std::string type = HeaderField(header, "Content-Type");
    size_t charset = type.find("charset=");
    if (charset != std::string::npos) {
        std::string name = type.substr(charset + 8);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name != "utf-8" && name != "ascii" && name != "us-ascii") {
            *error = "the texts are not in UTF-8 (" + name + ")";
            return false;
        }
    }
    std::string forms = HeaderField(header, "Plural-Forms");
    if (!forms.empty() && !ParsePluralForms(forms, plural)) {
        *error = "the Plural-Forms line cannot be read";
        return false;
    }
    return true;
}

// Compares a key with an original up to the original's first NUL (its singular).
int CompareKey(const std::string& key, const char* original)
{
    return std::strcmp(key.c_str(), original);
}

}  // namespace

bool ReadCatalogue(std::string bytes, Catalogue* catalogue, std::string* error)
{
    Catalogue read;
    read.bytes = std::move(bytes);
    if (read.bytes.size() < kHeaderBytes) {
        *error = "too short for a catalogue";
        return false;
    }
    uint32_t magic = Word(read.bytes, 0, false);
    if (magic != kMagic && magic != kSwappedMagic) {
        *error = "not a compiled catalogue";
        return false;
    }
    read.swapped = magic == kSwappedMagic;
    // Revisions 0 and 1 share the tables read here (1 adds strings that vary by system,
    // which this game's catalogues do not use).
    uint32_t major = Word(read.bytes, 4, read.swapped) >> 16;
    if (major > 1) {
        *error = "a catalogue revision this game does not know";
        return false;
    }
    read.count = Word(read.bytes, 8, read.swapped);
    read.originals = Word(read.bytes, 12, read.swapped);
    read.translations = Word(read.bytes, 16, read.swapped);
    if (!TableFits(read, read.originals) || !TableFits(read, read.translations)) {
        *error = "a string lies outside the file";
        return false;
    }
    if (!OriginalsSorted(read)) {
        *error = "the texts are out of order";
        return false;
    }
    if (!ReadHeader(read, &read.plural, error))
        return false;
    *catalogue = std::move(read);
    return true;
}

bool LoadCatalogue(const std::string& path, Catalogue* catalogue, std::string* error)
{
    std::ifstream in(std::filesystem::path(reinterpret_cast<const char8_t*>(path.c_str())),
                     std::ios::binary);
    if (!in) {
        *error = "cannot be opened";
        return false;
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        *error = "cannot be read";
        return false;
    }
    return ReadCatalogue(std::move(bytes), catalogue, error);
}

const char* FindTranslation(const Catalogue& catalogue, const char* context, const char* text,
                            unsigned long n)
{
    if (!text || catalogue.count == 0)
        return nullptr;
    std::string key = context ? std::string(context) + kContextGlue + text : std::string(text);
    uint32_t low = 0, high = catalogue.count;
    while (low < high) {
        uint32_t middle = low + (high - low) / 2;
        Entry original = EntryAt(catalogue, catalogue.originals, middle);
        int order = CompareKey(key, StringOf(catalogue, original));
        if (order < 0) {
            high = middle;
            continue;
        }
        if (order > 0) {
            low = middle + 1;
            continue;
        }
        Entry translation = EntryAt(catalogue, catalogue.translations, middle);
        const char* form = StringOf(catalogue, translation);
        const char* end = form + translation.length;
        // An original with a plural holds a NUL before its end: the forms follow likewise.
        bool hasPlural = std::strlen(StringOf(catalogue, original)) < original.length;
        unsigned long wanted = hasPlural ? PluralForm(catalogue.plural, n) : 0;
        for (unsigned long i = 0; i < wanted; ++i) {
            form += std::strlen(form) + 1;
            if (form >= end)
                return nullptr;  // fewer forms than the rule promises: not translated
        }
        return *form ? form : nullptr;
    }
    return nullptr;
}

char32_t NextCodePoint(const char** at, const char* end)
{
    const auto* p = reinterpret_cast<const unsigned char*>(*at);
    const auto* stop = reinterpret_cast<const unsigned char*>(end);
    unsigned char lead = p[0];
    ++*at;
    if (lead < 0x80)
        return lead;
    int more = -1;  // continuation bytes after the lead; C0, C1 and F5..FF lead nothing
    if (lead >= 0xC2 && lead <= 0xDF)
        more = 1;
    else if (lead >= 0xE0 && lead <= 0xEF)
        more = 2;
    else if (lead >= 0xF0 && lead <= 0xF4)
        more = 3;
    if (more < 0 || stop - p <= more)
        return kNotACharacter;
    char32_t code = lead & (0x3F >> more);
    for (int i = 1; i <= more; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return kNotACharacter;
        code = (code << 6) | (p[i] & 0x3F);
    }
    static const char32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return kNotACharacter;
    *at += more;
    return code;
}

std::u32string TranslatedCharacters(const Catalogue& catalogue)
{
    std::set<char32_t> found;
    for (uint32_t i = 0; i < catalogue.count; ++i) {
        Entry entry = EntryAt(catalogue, catalogue.translations, i);
        if (StringOf(catalogue, EntryAt(catalogue, catalogue.originals, i))[0] == '\0')
            continue;  // the header is no text the player sees
        const char* at = StringOf(catalogue, entry);
        const char* end = at + entry.length;
        while (at < end) {
            char32_t code = NextCodePoint(&at, end);
            if (code != kNotACharacter && code > 127)
                found.insert(code);
        }
    }
    return std::u32string(found.begin(), found.end());
}
