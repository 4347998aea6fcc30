// The game keeps paths and texts as UTF-8; Windows takes them as UTF-16. Every file call
// and box of the Windows platform goes through these, so a user folder with non-ASCII
// letters works and reads right. Bytes that are not UTF-8 become U+FFFD.
#pragma once

#include <string>

std::wstring WidePath(const std::string& utf8);
std::string Utf8Path(const std::wstring& wide);
