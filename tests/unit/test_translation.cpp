// The player's language: which one the system asks for, the compiled catalogues read and
// checked, plural forms chosen by each language's own rule, and UTF-8 read safely.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "lang/catalogue.h"
#include "lang/language.h"
#include "lang/plural.h"
#include "lang/translate.h"
#include "tests/support/test_files.h"

namespace {

// A .mo file made to order: entries (context, text, plural, translation) sorted as msgfmt
// sorts them, in either byte order; a plural's forms are NUL-separated in the translation.
struct MoEntry {
    std::string original, translation;
};

void PutWord(std::string& out, uint32_t value, bool bigEndian)
{
    for (int i = 0; i < 4; ++i) {
        int shift = bigEndian ? 24 - 8 * i : 8 * i;
        out += static_cast<char>((value >> shift) & 0xff);
    }
}

std::string MakeMo(std::vector<MoEntry> entries, bool bigEndian = false, bool sorted = true)
{
    if (sorted)
        std::sort(entries.begin(), entries.end(),
                  [](const MoEntry& a, const MoEntry& b) { return a.original < b.original; });
    uint32_t count = static_cast<uint32_t>(entries.size());
    uint32_t originals = 28, translations = originals + 8 * count, strings = translations + 8 * count;
    std::string head, tables, text;
    PutWord(head, 0x950412de, bigEndian);
    PutWord(head, 0, bigEndian);
    PutWord(head, count, bigEndian);
    PutWord(head, originals, bigEndian);
    PutWord(head, translations, bigEndian);
    PutWord(head, 0, bigEndian);
    PutWord(head, 0, bigEndian);
    std::string originalTable, translationTable;
    for (bool original : {true, false})
        for (const MoEntry& entry : entries) {
            const std::string& s = original ? entry.original : entry.translation;
            std::string& table = original ? originalTable : translationTable;
            PutWord(table, static_cast<uint32_t>(s.size()), bigEndian);
            PutWord(table, strings + static_cast<uint32_t>(text.size()), bigEndian);
            text += s;
            text += '\0';
        }
    return head + originalTable + translationTable + text;
}

const std::string kPolishHeader =
    "Content-Type: text/plain; charset=UTF-8\n"
    "Plural-Forms: nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && "
    "(n%100<10 || n%100>=20) ? 1 : 2);\n";

std::vector<MoEntry> PolishEntries()
{
    using namespace std::string_literals;
    return {{"", kPolishHeader},
            {"Exit", "Wyjście"},
            {"button\x04New", "Nowa"},
            {"%d pair\0%d pairs"s, "%d para\0%d pary\0%d par"s},
            {"Untranslated", ""}};
}

}  // namespace

TEST(Catalogue, FindsTextsByContextAndPluralInEitherByteOrder)
{
    for (bool bigEndian : {false, true}) {
        Catalogue catalogue;
        std::string error;
        ASSERT_TRUE(ReadCatalogue(MakeMo(PolishEntries(), bigEndian), &catalogue, &error)) << error;
        EXPECT_STREQ(FindTranslation(catalogue, nullptr, "Exit"), "Wyjście");
        EXPECT_STREQ(FindTranslation(catalogue, "button", "New"), "Nowa");
        EXPECT_EQ(FindTranslation(catalogue, nullptr, "New"), nullptr) << "the context is part of the key";
        EXPECT_EQ(FindTranslation(catalogue, nullptr, "Untranslated"), nullptr);
        EXPECT_EQ(FindTranslation(catalogue, nullptr, "Missing"), nullptr);
        const struct {
            unsigned long n;
            const char* form;
        } plurals[] = {{1, "%d para"}, {2, "%d pary"}, {4, "%d pary"}, {5, "%d par"}, {12, "%d par"},
                       {22, "%d pary"}, {0, "%d par"}, {101, "%d par"}};
        for (const auto& plural : plurals)
            EXPECT_STREQ(FindTranslation(catalogue, nullptr, "%d pair", plural.n), plural.form) << plural.n;
    }
}

// A catalogue is a file from disk: whatever is wrong with it is refused, never trusted.
TEST(Catalogue, RefusesFilesThatAreNotWhatTheySay)
{
    std::string good = MakeMo(PolishEntries());
    auto refused = [](std::string bytes) {
        Catalogue catalogue;
        std::string error;
        bool read = ReadCatalogue(std::move(bytes), &catalogue, &error);
        return !read && !error.empty();
    };
    EXPECT_FALSE(refused(good));
    EXPECT_TRUE(refused(good.substr(0, 20))) << "shorter than its header";
    EXPECT_TRUE(refused("\x12\x34\x56\x78" + good.substr(4))) << "not a catalogue";
    EXPECT_TRUE(refused(good.substr(0, good.size() - 3))) << "the last string cut off";
    std::string noTerminator = good;
    noTerminator.back() = 'x';
    EXPECT_TRUE(refused(noTerminator)) << "a string without its NUL";
    std::string hugeCount = good;
    hugeCount[8] = hugeCount[9] = hugeCount[10] = '\xff';
    EXPECT_TRUE(refused(hugeCount)) << "more entries than the file holds";
    std::string farOffset = good;
    farOffset[28 + 4 + 3] = '\x7f';  // the first original's offset
    EXPECT_TRUE(refused(farOffset)) << "an offset beyond the end";
    std::string revision = good;
    revision[6] = '\x02';
    EXPECT_TRUE(refused(revision)) << "a revision from the future";

    // Out of order, the binary search would miss texts: refused, not half read.
    std::vector<MoEntry> backwards = PolishEntries();
    std::reverse(backwards.begin(), backwards.end());
    EXPECT_TRUE(refused(MakeMo(backwards, false, false)));

    EXPECT_TRUE(refused(MakeMo({{"", "Content-Type: text/plain; charset=ISO-8859-2\n"}})));
    EXPECT_TRUE(refused(MakeMo({{"", "Plural-Forms: nplurals=3; plural=n%;\n"}})));
}

TEST(PluralRule, EachLanguagesRuleChoosesItsForms)
{
    const struct {
        const char* forms;
        std::vector<unsigned long> expected;  // for n = 0, 1, 2, 5, 11, 21, 22, 111, 1000002
    } rules[] = {
        {"nplurals=2; plural=(n != 1);", {1, 0, 1, 1, 1, 1, 1, 1, 1}},
        {"nplurals=2; plural=(n > 1);", {0, 0, 1, 1, 1, 1, 1, 1, 1}},
        {"nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);",
         {2, 0, 1, 2, 2, 2, 1, 2, 1}},
        {"nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || "
         "n%100>=20) ? 1 : 2);",
         {2, 0, 1, 2, 2, 0, 1, 2, 1}},
        {" nplurals = 1 ; plural = 0 ;", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"nplurals=2; plural=!(n - 1) ? 0 : 1 + 0 * n / 1 - 0;", {1, 0, 1, 1, 1, 1, 1, 1, 1}},
    };
    const unsigned long numbers[] = {0, 1, 2, 5, 11, 21, 22, 111, 1000002};
    for (const auto& rule : rules) {
        PluralRule parsed;
        ASSERT_TRUE(ParsePluralForms(rule.forms, &parsed)) << rule.forms;
        for (size_t i = 0; i < std::size(numbers); ++i)
            EXPECT_EQ(PluralForm(parsed, numbers[i]), rule.expected[i]) << rule.forms << " n=" << numbers[i];
    }
}

TEST(PluralRule, ARuleThatCannotBeTrustedIsRefusedOrHarmless)
{
    PluralRule rule;
    for (const char* bad : {"plural=n != 1;", "nplurals=2;", "nplurals=0; plural=0;", "nplurals=2; plural=(n;",
                            "nplurals=2; plural=n ? 1;", "nplurals=2; plural=x;", "nplurals=2; plural=n 1;",
                            "nplurals=99; plural=n;"})
        EXPECT_FALSE(ParsePluralForms(bad, &rule)) << bad;
    std::string deep = "nplurals=2; plural=" + std::string(500, '(') + "n" + std::string(500, ')') + ";";
    EXPECT_FALSE(ParsePluralForms(deep, &rule)) << "nesting deep enough to overflow the stack";
    // Division by zero gives 0; a form beyond the count is the first.
    ASSERT_TRUE(ParsePluralForms("nplurals=2; plural=n / (n - n) + n % 0;", &rule));
    EXPECT_EQ(PluralForm(rule, 7), 0u);
    ASSERT_TRUE(ParsePluralForms("nplurals=2; plural=n;", &rule));
    EXPECT_EQ(PluralForm(rule, 1), 1u);
    EXPECT_EQ(PluralForm(rule, 5), 0u);
}

TEST(Utf8, CodePointsAndTheBytesThatAreNone)
{
    const struct {
        std::string bytes;
        std::vector<char32_t> codes;
    } cases[] = {
        {"A\xc3\xa4\xd0\x96\xe2\x80\x94\xf0\x9f\x82\xa1", {'A', 0xE4, 0x416, 0x2014, 0x1F0A1}},
        {"\xc0\x80", {kNotACharacter, kNotACharacter}},                  // overlong NUL
        {"\xe0\x80\xaf", {kNotACharacter, kNotACharacter, kNotACharacter}},  // overlong '/'
        {"\xed\xa0\x80", {kNotACharacter, kNotACharacter, kNotACharacter}},  // a surrogate
        {"\xf4\x90\x80\x80", {kNotACharacter, kNotACharacter, kNotACharacter, kNotACharacter}},
        {"\xc8n\xff", {kNotACharacter, 'n', kNotACharacter}},            // cut short, then no lead
        {"\xd0", {kNotACharacter}},                                      // at the very end
    };
    for (const auto& c : cases) {
        std::vector<char32_t> read;
        const char* at = c.bytes.data();
        while (at < c.bytes.data() + c.bytes.size())
            read.push_back(NextCodePoint(&at, c.bytes.data() + c.bytes.size()));
        EXPECT_EQ(read, c.codes) << c.bytes;
    }
}

TEST(Language, TheEnvironmentIsReadInGettextsOrder)
{
    using Wanted = std::vector<std::string>;
    // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
    EXPECT_EQ(WantedLanguages("de", nullptr, nullptr, "C.UTF-8"), Wanted{"de"})
        << "a locale that was never generated still asks for German";
    EXPECT_EQ(WantedLanguages("de", nullptr, nullptr, "C"), Wanted{}) << "C asks for the program's own";
    EXPECT_EQ(WantedLanguages("de", "POSIX", "fr_FR", "fr_FR"), Wanted{});
    EXPECT_EQ(WantedLanguages(nullptr, nullptr, nullptr, nullptr), Wanted{});
    EXPECT_EQ(WantedLanguages("", "", "ru_RU.UTF-8", "de_DE"), Wanted{"ru_RU.UTF-8"});
    EXPECT_EQ(WantedLanguages(nullptr, "pl_PL.UTF-8", "ru_RU", "de_DE"), Wanted{"pl_PL.UTF-8"});
    EXPECT_EQ(WantedLanguages("sv:fr_CA::it", nullptr, nullptr, "de_DE.UTF-8"), (Wanted{"sv", "fr_CA", "it"}));
}

TEST(Language, TheFirstWantedLanguageWithACatalogueWins)
{
    auto have = [](const std::string& name) {
        for (const char* code : {"de", "fr", "pt_BR", "ru"})
            if (name == code)
                return true;
        return false;
    };
    using Wanted = std::vector<std::string>;
    EXPECT_EQ(ChooseLanguage(Wanted{"de_AT.UTF-8@euro"}, have), "de");
    EXPECT_EQ(ChooseLanguage(Wanted{"pt_BR.UTF-8"}, have), "pt_BR");
    EXPECT_EQ(ChooseLanguage(Wanted{"pt-BR", "de-DE"}, have), "pt_BR") << "Windows' spelling";
    EXPECT_EQ(ChooseLanguage(Wanted{"pt_PT"}, have), "") << "Brazil's is not Portugal's";
    EXPECT_EQ(ChooseLanguage(Wanted{"sv", "fr_CA"}, have), "fr");
    EXPECT_EQ(ChooseLanguage(Wanted{"en_GB.UTF-8", "de"}, have), "") << "English asked for first";
    EXPECT_EQ(ChooseLanguage(Wanted{"../../de", "de/../ru"}, have), "") << "never a path";
    EXPECT_EQ(CatalogueNames("de_AT.UTF-8@euro"), (Wanted{"de_AT@euro", "de_AT", "de@euro", "de"}));
}

// Every language the build compiles reads with this reader, speaks its own words, and
// needs letters beyond ASCII; switching back gives the texts as written.
TEST(Language, EveryCompiledCatalogueIsUsable)
{
    std::vector<std::string> folders = {LocaleBuildDir()};
    ASSERT_GE(TranslatedLanguages().size(), 7u);
    for (const std::string& code : TranslatedLanguages()) {
        std::string error;
        ASSERT_TRUE(HasCatalogue(folders, code)) << code;
        ASSERT_TRUE(UseLanguage(code, folders, &error)) << code << ": " << error;
        EXPECT_EQ(LanguageInUse(), code);
        EXPECT_STRNE(TranslateIn("button", "Help"), "Help") << code;
        EXPECT_FALSE(LanguageCharacters().empty()) << code;
    }
    std::string error;
    ASSERT_TRUE(UseLanguage("ru", folders, &error));
    const std::u32string& russian = LanguageCharacters();
    EXPECT_NE(russian.find(U'ы'), std::u32string::npos);
    EXPECT_TRUE(std::is_sorted(russian.begin(), russian.end()));
    EXPECT_FALSE(UseLanguage("tlh", folders, &error)) << "no Klingon catalogue";
    EXPECT_EQ(LanguageInUse(), "");
    const char* help = "Help";
    EXPECT_EQ(TranslateIn("button", help), help) << "the text as written, the very same";
    EXPECT_STREQ(TranslatePlural("%d pair", "%d pairs", 3), "%d pairs");
    EXPECT_TRUE(LanguageCharacters().empty());
}
