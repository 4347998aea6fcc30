#include "platform/system_language.h"

#include <cstdlib>

#include "lang/language.h"

std::vector<std::string> SystemLanguages()
{
    return WantedLanguages(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                           std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}
