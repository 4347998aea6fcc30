// The game keeps paths as UTF-8; Windows takes them as UTF-16. Every file call of the
// Windows platform goes through these, so a user folder with non-ASCII letters works.
#pragma once

#include <string>

std::wstring WidePath(const std::string& utf8);
std::string Utf8Path(const std::wstring& wide);
