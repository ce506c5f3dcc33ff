#pragma once

#include <string>
#include <string_view>

namespace banchiro::win32 {

// The portable code speaks UTF-8; Win32's W functions speak UTF-16. Invalid
// sequences in either direction become U+FFFD instead of failing.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace banchiro::win32
