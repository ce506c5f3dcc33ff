#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace banchiro {

// The hot keys are Ctrl + F1..F12, numbered 1..12 as Fkey(n) stores them.
inline constexpr int kFirstFunctionKey = 1;
inline constexpr int kLastFunctionKey = 12;

// "F1".."F12"; "" for any other number (0 is "no key").
std::string FunctionKeyName(int key);

// The key a name "F1".."F12" (either case) stands for. "F05", "F0", "F13"
// and anything else name none: only the spelling FunctionKeyName writes counts.
std::optional<int> FunctionKeyForName(std::string_view name);

// "Ctrl＋Ｆ５", "Ctrl＋Ｆ10": full-width F, full-width digits for 1..9 and
// ordinary ones for 10..12, as the palette's key tiles and the relay's
// message show the key.
std::string HotKeyCaption(int key);

// The title of what the program and its relays say about a hot key.
inline constexpr const char* kHotKeyCheckTitle = "ホットキー確認";

}  // namespace banchiro
