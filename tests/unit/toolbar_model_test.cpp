#include "ui/main/toolbar_model.h"

#include <gtest/gtest.h>

#include <set>

namespace banchiro {
namespace {

TEST(ToolbarModelTest, SeventeenButtonsEachRunningAMenuHandler) {
  const auto& buttons = ToolbarButtons();
  const auto& tree = MainMenuTree();
  std::set<int> methods;
  std::set<MenuCommand> commands;
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    const ToolbarButton& b = buttons[i];
    EXPECT_EQ(b.number, i + 1);
    ASSERT_NE(b.item, nullptr) << b.number;
    // The very entry of the menu tree, so the click takes the menu's handler.
    EXPECT_GE(b.item, tree.data());
    EXPECT_LT(b.item, tree.data() + tree.size());
    EXPECT_EQ(b.item->kind, MenuEntryKind::kItem);
    if (b.item->command == MenuCommand::kDisplayMethod) {
      EXPECT_TRUE(methods.insert(b.item->method).second) << b.number;
      EXPECT_EQ(MethodForToolbarButton(b.number), b.item->method);
    } else {
      EXPECT_TRUE(commands.insert(b.item->command).second) << b.number;
    }
  }
  EXPECT_EQ(methods.size(), static_cast<size_t>(kMethodCount));
  EXPECT_EQ(commands, (std::set<MenuCommand>{MenuCommand::kSettings, MenuCommand::kRestartWindows,
                                             MenuCommand::kShutDownWindows}));
}

TEST(ToolbarModelTest, NonLayoutButtonsAndTheOrderAroundThem) {
  EXPECT_EQ(ToolbarButtonFor(7)->item->command, MenuCommand::kSettings);
  EXPECT_EQ(ToolbarButtonFor(10)->item->command, MenuCommand::kShutDownWindows);
  EXPECT_EQ(MenuControlId(*ToolbarButtonFor(10)->item), "mnuFileWindows(2)");
  EXPECT_EQ(ToolbarButtonFor(12)->item->command, MenuCommand::kRestartWindows);
  EXPECT_EQ(MenuControlId(*ToolbarButtonFor(12)->item), "mnuFileWindows(1)");
  for (int b = 1; b <= 6; ++b)
    EXPECT_EQ(ToolbarButtonFor(b)->item->method, b - 1);
  for (int b = 13; b <= 17; ++b)
    EXPECT_EQ(ToolbarButtonFor(b)->item->method, b - 7);
  EXPECT_EQ(ToolbarButtonFor(8)->item->method, 11);
  EXPECT_EQ(ToolbarButtonFor(9)->item->method, 12);
  EXPECT_EQ(ToolbarButtonFor(11)->item->method, 13);
}

TEST(ToolbarModelTest, TooltipsAreTheCaptionsBetweenSingleBlanks) {
  for (const auto& b : ToolbarButtons()) {
    const std::string& tip = b.tooltip;
    ASSERT_GE(tip.size(), 3u) << b.number;
    EXPECT_EQ(tip.front(), ' ');
    EXPECT_NE(tip[1], ' ');
    EXPECT_EQ(tip.back(), ' ');
    EXPECT_NE(tip[tip.size() - 2], ' ');
    EXPECT_EQ(tip.find('&'), std::string::npos) << tip;
    EXPECT_EQ(tip.find("..."), std::string::npos) << tip;
    EXPECT_EQ(b.item->caption.substr(0, tip.size() - 2), tip.substr(1, tip.size() - 2));
  }
  const std::pair<int, const char*> exact[] = {
      {1, " 重ねて表示（左上→右下） "},   {4, " 重ねて表示（左下→右上） "},     {7, " 各種設定 "},
      {10, " Microsoft Windows の終了 "}, {12, " Microsoft Windows の再起動 "}, {9, " 元に戻す "},
      {17, " ４マスに並べて表示 "},
  };
  for (const auto& [number, tip] : exact)
    EXPECT_EQ(ToolbarButtonFor(number)->tooltip, tip) << number;
}

TEST(ToolbarModelTest, OtherNumbersDoNothing) {
  for (int number : {0, -1, 18, 100})
    EXPECT_FALSE(ToolbarButtonFor(number).has_value()) << number;
}

}  // namespace
}  // namespace banchiro
