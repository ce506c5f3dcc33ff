#include "relay/hot_key.h"

namespace banchiro::relay {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// U+FF10.. FULLWIDTH DIGIT ZERO.., as UTF-8.
std::string FullWidthDigit(int digit) {
  return std::string{'\xEF', '\xBC', static_cast<char>(0x90 + digit)};
}

}  // namespace

std::optional<int> FunctionKeyForArgument(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin]))
    ++begin;
  while (end > begin && IsBlank(text[end - 1]))
    --end;
  const std::string_view word = text.substr(begin, end - begin);
  if (word.size() < 2 || word.size() > 3 || (word[0] != 'F' && word[0] != 'f')) return std::nullopt;
  int key = 0;
  for (const char c : word.substr(1)) {
    if (c < '0' || c > '9') return std::nullopt;
    key = key * 10 + (c - '0');
  }
  // "F05" would be a second spelling of F5 that the starter never writes.
  if (word[1] == '0') return std::nullopt;
  if (key < kFirstFunctionKey || key > kLastFunctionKey) return std::nullopt;
  return key;
}

std::string HotKeyCaption(int key) {
  if (key < kFirstFunctionKey || key > kLastFunctionKey) return {};
  std::string caption = "Ctrl＋Ｆ";
  caption += key < 10 ? FullWidthDigit(key) : std::to_string(key);
  return caption;
}

std::string KeyTakenMessage(int key) {
  return HotKeyCaption(key) + " は他のプログラムが使用しています。";
}

std::string PublishedHandleText(std::uint64_t handle_bits) {
  return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(handle_bits)));
}

}  // namespace banchiro::relay
