#include "common/display_methods.h"

namespace banchiro {

namespace {

using M = DisplayMethod;

constexpr std::array<DisplayMethodEntry, kMethodCount> kTable = {{
    {M::kCascadeFromTopLeft, 'S', "（左上→右下）重ねて表示"},
    {M::kCascadeFromTopRight, 'L', "（右上→左下）重ねて表示"},
    {M::kCascadeFromBottomRight, 'K', "（右下→左上）重ねて表示"},
    {M::kCascadeFromBottomLeft, 'J', "（左下→右上）重ねて表示"},
    {M::kStacked, 'G', "上下に並べて表示"},
    {M::kSideBySide, 'O', "左右に並べて表示"},
    {M::kLeftAndStacked, 'H', "左＆上下に並べて表示"},
    {M::kRightAndStacked, 'N', "右＆上下に並べて表示"},
    {M::kTopAndSideBySide, 'E', "上＆左右に並べて表示"},
    {M::kBottomAndSideBySide, 'D', "下＆左右に並べて表示"},
    {M::kGrid, 'F', "４マスに並べて表示"},
    {M::kMinimizeAll, 'M', "全ウィンドウを最小化"},
    {M::kUndo, 'U', "元に戻す"},
    {M::kCloseAll, 'A', "全ウィンドウを閉じる"},
}};

constexpr bool InMethodOrder() {
  for (int n = 0; n < kMethodCount; ++n) {
    if (MethodIndex(kTable[n].method) != n) return false;
  }
  return true;
}
static_assert(InMethodOrder(), "entry n of the method table is the method of index n");

}  // namespace

const std::array<DisplayMethodEntry, kMethodCount>& DisplayMethods() {
  return kTable;
}

std::optional<DisplayMethod> MethodAt(int index) {
  if (index < 0 || index >= kMethodCount) return std::nullopt;
  return kTable[index].method;
}

std::optional<DisplayMethod> MethodForLetter(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  for (const auto& m : kTable) {
    if (m.letter == letter) return m.method;
  }
  return std::nullopt;
}

std::string MethodCommand(int index) {
  if (!MethodAt(index)) return {};
  return std::string(kProgramFileName) + " " + kTable[index].letter;
}

std::string MethodCaption(int index) {
  if (!MethodAt(index)) return {};
  return std::string(kTable[index].caption);
}

}  // namespace banchiro
