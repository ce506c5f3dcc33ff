#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace banchiro::relay {

// The function key that the relay's argument text (its command line without
// the program name) names: one of "F1".."F12", either case, blanks around it
// allowed. Anything else names none: no text, F0, F13, F01, a second word,
// a switch ("/F1") or quotes.
std::optional<int> FunctionKeyForArgument(std::string_view argument_text);

// What the relay says, once, when another program holds its key.
std::string KeyTakenMessage(int key);

}  // namespace banchiro::relay
