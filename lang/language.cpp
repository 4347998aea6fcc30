#include "lang/language.h"

#include <algorithm>

namespace {

bool IsSet(const char* value)
{
    return value && *value;
}

// The language part of a name: "en" of "en_GB.UTF-8".
std::string LanguagePart(const std::string& name)
{
    return name.substr(0, name.find_first_of("_-.@"));
}

// A catalogue's name becomes part of a path: letters, digits, '_' and '@' only.
bool IsPlainName(const std::string& name)
{
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '@';
    });
}

bool MeansSourceTexts(const std::string& name)
{
    return name == "C" || name == "POSIX" || LanguagePart(name) == "en";
}

}  // namespace

std::vector<std::string> WantedLanguages(const char* language, const char* lcAll,
                                         const char* lcMessages, const char* lang)
{
    const char* locale = IsSet(lcAll) ? lcAll : IsSet(lcMessages) ? lcMessages : IsSet(lang) ? lang : "C";
    std::string name = locale;
    if (name == "C" || name == "POSIX")
        return {};
    if (!IsSet(language))
        return {name};
    std::vector<std::string> wanted;
    std::string list = language;
    size_t at = 0;
    while (at <= list.size()) {
        size_t colon = std::min(list.find(':', at), list.size());
        if (colon > at)
            wanted.push_back(list.substr(at, colon - at));
        at = colon + 1;
    }
    return wanted;
}

std::vector<std::string> CatalogueNames(const std::string& wanted)
{
    std::string name = wanted;
    std::replace(name.begin(), name.end(), '-', '_');
    std::string modifier;
    size_t at = name.find('@');
    if (at != std::string::npos) {
        modifier = name.substr(at);
        name.erase(at);
    }
    name.erase(std::min(name.find('.'), name.size()));  // the codeset names no language
    std::string language = LanguagePart(name);
    std::vector<std::string> names;
    for (const std::string& candidate :
         {name + modifier, name, language + modifier, language}) {
        if (!candidate.empty() && candidate[0] != '@' && IsPlainName(candidate) &&
            std::find(names.begin(), names.end(), candidate) == names.end())
            names.push_back(candidate);
    }
    return names;
}

std::string ChooseLanguage(const std::vector<std::string>& wanted,
                           const std::function<bool(const std::string&)>& hasCatalogue)
{
    for (const std::string& one : wanted) {
        if (MeansSourceTexts(one))
            return "";
        for (const std::string& name : CatalogueNames(one))
            if (hasCatalogue(name))
                return name;
    }
    return "";
}
