#pragma once

#include <string>
#include <string_view>

namespace banchiro::help {

// UTF-8 text in code page 932 (Shift-JIS with Microsoft's additions), the
// encoding of a Japanese help file. Throws HelpError, naming the text, when a
// character has no code in 932 or the input is no valid UTF-8.
std::string ToShiftJis(std::string_view utf8);

}  // namespace banchiro::help
