#include "relay/hot_key.h"

#include <cstdint>
#include <cstdlib>

#include <gtest/gtest.h>

#include "engine/window_table.h"

namespace banchiro::relay {
namespace {

TEST(RelayArgumentTest, AcceptsExactlyOneFunctionKey) {
  const std::pair<const char*, int> accepted[] = {
      {"F1", 1},   {"F9", 9},  {"F10", 10}, {"F12", 12},   {"f1", 1},
      {"f12", 12}, {" F5", 5}, {"F5 ", 5},  {"\tF7\t", 7},
  };
  for (const auto& [argument, key] : accepted) {
    EXPECT_EQ(FunctionKeyForArgument(argument), key) << "[" << argument << "]";
  }
}

TEST(RelayArgumentTest, RefusesEverythingElse) {
  for (
      const char* refused : {
          "",     " ",    "F",     "F0",   "F13",  "F99",  "F100",   "F01",           "F05",
          "F00",  "F1 x", "F1 F2", "x F1", "/F1",  "-F1",  "\"F1\"", "F1x",           "FF1",
          "G5",   "F-1",  "F+1",   "F 1",  "F1.0", "Ｆ１", "F１",    "F\x31\x32\x33", "F4294967297",
          "F1\n",
      }) {
    EXPECT_FALSE(FunctionKeyForArgument(refused)) << "[" << refused << "]";
  }
}

TEST(RelayCaptionTest, FullWidthFAndDigitsUpToNineThenOrdinaryDigits) {
  const char* const expected[] = {
      "Ctrl＋Ｆ１", "Ctrl＋Ｆ２", "Ctrl＋Ｆ３", "Ctrl＋Ｆ４", "Ctrl＋Ｆ５", "Ctrl＋Ｆ６",
      "Ctrl＋Ｆ７", "Ctrl＋Ｆ８", "Ctrl＋Ｆ９", "Ctrl＋Ｆ10", "Ctrl＋Ｆ11", "Ctrl＋Ｆ12",
  };
  for (int key = 1; key <= 12; ++key) {
    EXPECT_EQ(HotKeyCaption(key), expected[key - 1]) << key;
    EXPECT_EQ(KeyTakenMessage(key),
              std::string(expected[key - 1]) + " は他のプログラムが使用しています。")
        << key;
  }
  EXPECT_EQ(KeyTakenMessage(5), "Ctrl＋Ｆ５ は他のプログラムが使用しています。");
  EXPECT_EQ(HotKeyCaption(0), "");
  EXPECT_EQ(HotKeyCaption(13), "");
}

struct HandleCase {
  std::uint64_t bits;
  const char* text;
};

TEST(RelayHandleTextTest, SignedLow32BitsInDecimal) {
  const HandleCase cases[] = {
      {0x0, "0"},
      {0x10062, "65634"},
      {0x7FFFFFFF, "2147483647"},
      {0x80001234, "-2147478988"},
      {0xFFFFFFFF80001234ull, "-2147478988"},  // the same handle, sign-extended
      {0xFFFFFFFFFFFFFFFFull, "-1"},
      {0x00000001000A0B0Cull, "658188"},  // high half carries nothing
  };
  for (const auto& c : cases) {
    const std::string text = PublishedHandleText(c.bits);
    EXPECT_EQ(text, c.text) << std::hex << c.bits;
    // BANCHIRO writes handles it records the same way and reads the
    // published one back with strtoll: both must name the same window.
    EXPECT_EQ(text, HandleText(static_cast<WindowHandle>(c.bits))) << std::hex << c.bits;
    EXPECT_EQ(static_cast<std::uint32_t>(std::strtoll(text.c_str(), nullptr, 10)),
              static_cast<std::uint32_t>(c.bits));
  }
}

}  // namespace
}  // namespace banchiro::relay
