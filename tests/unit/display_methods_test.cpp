#include "engine/display_methods.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace banchiro {
namespace {

TEST(DisplayMethodsTest, TableIsConsistent) {
  std::set<char> letters;
  std::set<int> buttons;
  for (int n = 0; n < kMethodCount; ++n) {
    const auto& m = DisplayMethods()[n];
    EXPECT_EQ(m.number, n);
    letters.insert(m.letter);
    buttons.insert(m.toolbar_button);
    // The menu caption's access key is the command-line letter.
    const std::string access = std::string("(&") + m.letter + ")";
    EXPECT_NE(std::string(m.menu_caption).find(access), std::string::npos) << n;
  }
  EXPECT_EQ(letters.size(), 14u);
  EXPECT_EQ(buttons.size(), 14u);
  EXPECT_EQ(buttons.count(7) + buttons.count(10) + buttons.count(12), 0u);
}

TEST(DisplayMethodsTest, LettersInEitherCase) {
  const std::string letters = "SLKJGOHNEDFMUA";
  for (int n = 0; n < kMethodCount; ++n) {
    EXPECT_EQ(MethodForLetter(letters[n]), n);
    EXPECT_EQ(MethodForLetter(static_cast<char>(letters[n] - 'A' + 'a')), n);
  }
  for (char c : std::string("BCIPQRTVWXYZbz0/ "))
    EXPECT_FALSE(MethodForLetter(c)) << c;
}

TEST(DisplayMethodsTest, MenuHandlersMapToMethods) {
  using M = MethodMenu;
  struct Case {
    MethodMenu menu;
    int index;
    std::optional<int> method;
  } cases[] = {
      {M::kDispMethod_Ex, 0, 0},   {M::kDispMethod_Ex, 3, 3},   {M::kDispMethod_Ex, 4, {}},
      {M::kDispMethod, 0, 4},      {M::kDispMethod, 1, 5},      {M::kDispMethod_Ex4, 2, 8},
      {M::kDispMethod_Ex4, 3, 9},  {M::kDispMethod_Ex5, 0, 10}, {M::kDispMethod_Ex2, 0, 11},
      {M::kDispMethod_Ex2, 1, 12}, {M::kDispMethod_Ex3, 0, 13}, {M::kDispMethod_Ex3, 1, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MethodForMenu(c.menu, c.index), c.method) << c.index;
}

TEST(DisplayMethodsTest, ToolbarButtons) {
  EXPECT_EQ(MethodForToolbarButton(1), 0);
  EXPECT_EQ(MethodForToolbarButton(11), 13);
  EXPECT_EQ(MethodForToolbarButton(13), 6);
  EXPECT_EQ(MethodForToolbarButton(17), 10);
  for (int b : {0, 7, 10, 12, 18})
    EXPECT_FALSE(MethodForToolbarButton(b)) << b;
}

TEST(DisplayMethodsTest, CommandsCaptionsAndKeyNames) {
  EXPECT_EQ(MethodCommand(0), "BANCHIRO.EXE S");
  EXPECT_EQ(MethodCommand(13), "BANCHIRO.EXE A");
  EXPECT_EQ(MethodCommand(14), "");
  EXPECT_EQ(MethodCaption(6), "左＆上下に並べて表示");
  EXPECT_EQ(MethodCaption(-1), "");
  EXPECT_EQ(FunctionKeyName(0), "");
  EXPECT_EQ(FunctionKeyName(1), "F1");
  EXPECT_EQ(FunctionKeyName(12), "F12");
  EXPECT_EQ(FunctionKeyName(13), "");
}

}  // namespace
}  // namespace banchiro
