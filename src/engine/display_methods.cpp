#include "engine/display_methods.h"

namespace banchiro {

const std::array<DisplayMethod, kMethodCount>& DisplayMethods() {
  using M = MethodMenu;
  static const std::array<DisplayMethod, kMethodCount> kTable = {{
      {0, 'S', M::kDispMethod_Ex, 0, "重ねて表示（左上→右下）(&S)", "（左上→右下）重ねて表示", 1},
      {1, 'L', M::kDispMethod_Ex, 1, "重ねて表示（右上→左下）(&L)", "（右上→左下）重ねて表示", 2},
      {2, 'K', M::kDispMethod_Ex, 2, "重ねて表示（右下→左上）(&K)", "（右下→左上）重ねて表示", 3},
      {3, 'J', M::kDispMethod_Ex, 3, "重ねて表示（左下→右上）(&J)", "（左下→右上）重ねて表示", 4},
      {4, 'G', M::kDispMethod, 0, "上下に並べて表示(&G)", "上下に並べて表示", 5},
      {5, 'O', M::kDispMethod, 1, "左右に並べて表示(&O)", "左右に並べて表示", 6},
      {6, 'H', M::kDispMethod_Ex4, 0, "左＆上下に並べて表示(&H)", "左＆上下に並べて表示", 13},
      {7, 'N', M::kDispMethod_Ex4, 1, "右＆上下に並べて表示(&N)", "右＆上下に並べて表示", 14},
      {8, 'E', M::kDispMethod_Ex4, 2, "上＆左右に並べて表示(&E)", "上＆左右に並べて表示", 15},
      {9, 'D', M::kDispMethod_Ex4, 3, "下＆左右に並べて表示(&D)", "下＆左右に並べて表示", 16},
      {10, 'F', M::kDispMethod_Ex5, 0, "４マスに並べて表示(&F)", "４マスに並べて表示", 17},
      {11, 'M', M::kDispMethod_Ex2, 0, "全ウィンドウを最小化(&M)", "全ウィンドウを最小化", 8},
      {12, 'U', M::kDispMethod_Ex2, 1, "元に戻す(&U)", "元に戻す", 9},
      {13, 'A', M::kDispMethod_Ex3, 0, "全ウィンドウを閉じる(&A)", "全ウィンドウを閉じる", 11},
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

std::optional<int> MethodForMenu(MethodMenu menu, int index) {
  for (const auto& m : DisplayMethods()) {
    if (m.menu == menu && m.menu_index == index) return m.number;
  }
  return std::nullopt;
}

std::optional<int> MethodForToolbarButton(int button) {
  for (const auto& m : DisplayMethods()) {
    if (m.toolbar_button == button) return m.number;
  }
  return std::nullopt;
}

std::string MethodCommand(int method) {
  if (method < 0 || method >= kMethodCount) return {};
  return std::string("BANCHIRO.EXE ") + DisplayMethods()[method].letter;
}

std::string MethodCaption(int method) {
  if (method < 0 || method >= kMethodCount) return {};
  return std::string(DisplayMethods()[method].method_caption);
}

std::string FunctionKeyName(int key) {
  if (key < 1 || key > 12) return {};
  return "F" + std::to_string(key);
}

}  // namespace banchiro
