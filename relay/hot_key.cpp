#include "relay/hot_key.h"

#include "common/function_keys.h"
#include "common/text.h"

namespace banchiro::relay {

std::optional<int> FunctionKeyForArgument(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin]))
    ++begin;
  while (end > begin && IsBlank(text[end - 1]))
    --end;
  return FunctionKeyForName(text.substr(begin, end - begin));
}

std::string KeyTakenMessage(int key) {
  return HotKeyCaption(key) + " は他のプログラムが使用しています。";
}

}  // namespace banchiro::relay
