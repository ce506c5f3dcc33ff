#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace banchiro::relay {

inline constexpr int kFirstFunctionKey = 1;
inline constexpr int kLastFunctionKey = 12;

// The function key that the relay's argument text (its command line without
// the program name) names: one of "F1".."F12", either case, blanks around it
// allowed. Anything else names none: no text, F0, F13, F01, a second word,
// a switch ("/F1") or quotes.
std::optional<int> FunctionKeyForArgument(std::string_view argument_text);

// "Ctrl＋Ｆ５", "Ctrl＋Ｆ10": the caption the palette shows for the key,
// full-width F, full-width digit for 1..9 and ordinary digits for 10..12.
std::string HotKeyCaption(int key);

// What the relay says, once, when another program holds its key.
std::string KeyTakenMessage(int key);
inline constexpr const char* kKeyTakenTitle = "ホットキー確認";

// A window handle as the starter reads it back: the signed 32-bit value in
// decimal. Window handles carry 32 significant bits in 64-bit Windows too,
// sign-extended, so both forms of one handle give the same text.
std::string PublishedHandleText(std::uint64_t handle_bits);

}  // namespace banchiro::relay
