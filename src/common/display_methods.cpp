#include "common/display_methods.h"

namespace banchiro {

const std::array<DisplayMethod, kMethodCount>& DisplayMethods() {
  static const std::array<DisplayMethod, kMethodCount> kTable = {{
      {0, 'S', "（左上→右下）重ねて表示"},
      {1, 'L', "（右上→左下）重ねて表示"},
      {2, 'K', "（右下→左上）重ねて表示"},
      {3, 'J', "（左下→右上）重ねて表示"},
      {4, 'G', "上下に並べて表示"},
      {5, 'O', "左右に並べて表示"},
      {6, 'H', "左＆上下に並べて表示"},
      {7, 'N', "右＆上下に並べて表示"},
      {8, 'E', "上＆左右に並べて表示"},
      {9, 'D', "下＆左右に並べて表示"},
      {10, 'F', "４マスに並べて表示"},
      {11, 'M', "全ウィンドウを最小化"},
      {12, 'U', "元に戻す"},
      {13, 'A', "全ウィンドウを閉じる"},
  }};
  return kTable;
}

std::optional<int> MethodForLetter(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  for (const auto& m : DisplayMethods()) {
    if (m.letter == letter) return m.number;
  }
  return std::nullopt;
}

std::string MethodCommand(int method) {
  if (method < 0 || method >= kMethodCount) return {};
  return std::string(kProgramFileName) + " " + DisplayMethods()[method].letter;
}

std::string MethodCaption(int method) {
  if (method < 0 || method >= kMethodCount) return {};
  return std::string(DisplayMethods()[method].caption);
}

}  // namespace banchiro
