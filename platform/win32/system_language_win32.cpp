// The player's interface languages, as Windows lists them ("de-DE", then "en-US"...);
// Wine takes them from the Unix locale it was started in.
#include "platform/system_language.h"

#include <windows.h>

#include "platform/win32/wide_path.h"

std::vector<std::string> SystemLanguages()
{
    ULONG count = 0, size = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
        return {};
    std::wstring names(size, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size))
        return {};
    // Names one after another, each ended by a NUL, the list by another.
    std::vector<std::string> languages;
    for (size_t at = 0; at < names.size() && names[at] != L'\0';) {
        size_t end = names.find(L'\0', at);
        languages.push_back(Utf8Path(names.substr(at, end - at)));
        at = end + 1;
    }
    return languages;
}
