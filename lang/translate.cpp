#include "lang/translate.h"

#include <filesystem>
#include <system_error>

namespace {

// What is in use: one language's catalogue, or none for English. The texts handed out
// point into it, so it changes only when the player changes language.
struct Language {
    std::string code;
    Catalogue catalogue;
    std::u32string characters;
};
Language language;

bool IsFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(
        std::filesystem::path(reinterpret_cast<const char8_t*>(path.c_str())), error);
}

}  // namespace

std::string CataloguePath(const std::string& folder, const std::string& code)
{
    return folder + "/" + code + "/LC_MESSAGES/" + kTextDomain + ".mo";
}

bool HasCatalogue(const std::vector<std::string>& folders, const std::string& code)
{
    for (const std::string& folder : folders)
        if (IsFile(CataloguePath(folder, code)))
            return true;
    return false;
}

const char* Translate(const char* text)
{
    const char* found = FindTranslation(language.catalogue, nullptr, text);
    return found ? found : text;
}

const char* TranslateIn(const char* context, const char* text)
{
    const char* found = FindTranslation(language.catalogue, context, text);
    return found ? found : text;
}

const char* TranslatePlural(const char* one, const char* many, unsigned long n)
{
    const char* found = FindTranslation(language.catalogue, nullptr, one, n);
    return found ? found : n == 1 ? one : many;
}

bool UseLanguage(const std::string& code, const std::vector<std::string>& folders,
                 std::string* error)
{
    language = Language{};
    if (code.empty())
        return true;
    for (const std::string& folder : folders) {
        std::string path = CataloguePath(folder, code);
        if (!IsFile(path))
            continue;
        Catalogue catalogue;
        if (!LoadCatalogue(path, &catalogue, error)) {
            *error = path + ": " + *error;
            return false;
        }
        UseCatalogue(code, std::move(catalogue));
        return true;
    }
    *error = "no catalogue for " + code;
    return false;
}

void UseCatalogue(const std::string& code, Catalogue catalogue)
{
    language.code = code;
    language.characters = TranslatedCharacters(catalogue);
    language.catalogue = std::move(catalogue);
}

const std::string& LanguageInUse()
{
    return language.code;
}

const std::u32string& LanguageCharacters()
{
    return language.characters;
}
