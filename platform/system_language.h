// The languages the player's system asks for, most wanted first: on POSIX systems the
// locale variables as gettext reads them (lang/language.h, WantedLanguages), on Windows the
// user's interface languages. lang/language.h's ChooseLanguage picks among them.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> SystemLanguages();
