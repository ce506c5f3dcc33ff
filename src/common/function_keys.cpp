#include "common/function_keys.h"

namespace banchiro {

std::string FunctionKeyName(int key) {
  if (key < kFirstFunctionKey || key > kLastFunctionKey) return {};
  return "F" + std::to_string(key);
}

std::optional<int> FunctionKeyForName(std::string_view name) {
  if (name.size() < 2 || name.size() > 3 || (name[0] != 'F' && name[0] != 'f')) return std::nullopt;
  if (name[1] == '0') return std::nullopt;
  int key = 0;
  for (const char c : name.substr(1)) {
    if (c < '0' || c > '9') return std::nullopt;
    key = key * 10 + (c - '0');
  }
  if (key > kLastFunctionKey) return std::nullopt;
  return key;
}

std::string HotKeyCaption(int key) {
  if (key < kFirstFunctionKey || key > kLastFunctionKey) return {};
  std::string caption = "Ctrl＋Ｆ";
  if (key >= 10) return caption + std::to_string(key);
  // U+FF10 FULLWIDTH DIGIT ZERO and on, as UTF-8.
  return caption + std::string{'\xEF', '\xBC', static_cast<char>(0x90 + key)};
}

}  // namespace banchiro
