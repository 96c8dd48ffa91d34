// Texts between the format library (UTF-8) and the Win32 API (UTF-16).
#pragma once

#include <string>
#include <string_view>

namespace winreader {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

} // namespace winreader
