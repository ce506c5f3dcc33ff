// The helpers every layer shares: numbers as settings hold them, the
// method letters, the function-key names and the stored handle text.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "common/dev_log.h"
#include "common/display_methods.h"
#include "common/function_keys.h"
#include "common/numbers.h"
#include "common/window_handle.h"
#include "platform/fake/fake_log.h"

namespace banchiro {
namespace {

TEST(LeadingNumberTest, TakesTheNumericPrefix) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},         {"abc", 0},     {"12", 12},
      {"  12", 12},    {"\t\r\n8", 8}, {"12px", 12},
      {"1.5.7", 1.5},  {".5", 0.5},    {"5.", 5},
      {"-3.5x", -3.5}, {"+7", 7},      {"- 7", 0},
      {".", 0},        {"1e3", 1000},  {"1E-1", 0.1},
      {"5e", 5},       {"5e+x", 5},    {"0x10", 0},
      {" 1 2", 1},     {"１２", 0},    {"7801.5", 7801.5},
      {"  0x1F", 0},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_DOUBLE_EQ(LeadingNumber(text), expected) << '"' << text << '"';
  EXPECT_TRUE(std::isinf(LeadingNumber(std::string(5000, '9'))));
  EXPECT_LT(LeadingNumber("-1e400"), 0);
  EXPECT_EQ(LeadingNumber("inf"), 0.0);
  EXPECT_EQ(LeadingNumber("nan"), 0.0);
}

TEST(RoundingTest, HalvesToEvenAndClampedIntoInt32) {
  const std::pair<double, double> cases[] = {
      {0.5, 0},   {1.5, 2},    {2.5, 2},    {-1.5, -2},         {-2.5, -2},
      {-3.7, -4}, {2.4999, 2}, {2.5001, 3}, {1e15 + 0.5, 1e15},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(RoundHalfEven(in), out) << in;
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(RoundToInt32(1e20), kMax);
  EXPECT_EQ(RoundToInt32(-1e20), kMin);
  EXPECT_EQ(RoundToInt32(std::numeric_limits<double>::infinity()), kMax);
  EXPECT_EQ(RoundToInt32(std::nan("")), 0);
  // Twips to pixels: 287.5 and 77.5 go to even; a scale that is no scale gives 0.
  EXPECT_EQ(TwipsToPixels(2300, 8), 288);
  EXPECT_EQ(TwipsToPixels(620, 8), 78);
  EXPECT_EQ(TwipsToPixels(2500, 8), 312);
  for (double bad : {0.0, -15.0, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_EQ(TwipsToPixels(2500, bad), 0) << bad;
}

TEST(FormatNumberTest, PlainDecimalTextThatReadsBack) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {-3, "-3"},
      {0.1 + 0.2, "0.3"},
      {std::numeric_limits<double>::infinity(), "0"},
      {9000 - 705 * 1.7, "7801.5"},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(FormatNumber(in), out) << in;
  EXPECT_EQ(FormatSingle(0.1f), "0.1");
}

// In stored order: each method's letter, its kind (cascade, tiling, other)
// and whether it is a layout.
TEST(DisplayMethodsTest, TwentyEightLettersTheirCommandsAndTheKinds) {
  const std::string letters = "SLKJGOHNEDFMUA";
  std::string kinds;
  for (int n = 0; n < kMethodCount; ++n) {
    const DisplayMethod m = MethodAt(n).value();
    EXPECT_EQ(MethodIndex(m), n);
    EXPECT_EQ(MethodForLetter(letters[n]), m);
    EXPECT_EQ(MethodForLetter(static_cast<char>(letters[n] + ('a' - 'A'))), m);
    EXPECT_EQ(MethodCommand(n), std::string("BANCHIRO.EXE ") + letters[n]);
    kinds += std::string(IsCascade(m) ? "c" : IsTiling(m) ? "t" : "-") + (IsLayout(m) ? "L " : " ");
  }
  EXPECT_EQ(kinds, "cL cL cL cL tL tL tL tL tL tL tL - - - ");
  for (char c : std::string("BCIPQRTVWXYZbz0/ @["))
    EXPECT_FALSE(MethodForLetter(c)) << c;
  EXPECT_FALSE(MethodAt(-1) || MethodAt(kMethodCount));
  EXPECT_EQ(MethodCommand(kMethodCount) + MethodCaption(-1), "");
}

TEST(FunctionKeysTest, NamesAndTheirReading) {
  // The refusals are the relay's tests; the captions, the relay's message's.
  for (int key = kFirstFunctionKey; key <= kLastFunctionKey; ++key)
    EXPECT_EQ(FunctionKeyForName(FunctionKeyName(key)), key);
  for (int key : {0, 13})
    EXPECT_EQ(FunctionKeyName(key) + HotKeyCaption(key), "") << key;
}

TEST(HandleTextTest, SignedThirtyTwoBitsBothWays) {
  const std::pair<WindowHandle, const char*> cases[] = {
      {0x10010, "65552"}, {0xFFFFFFFF, "-1"}, {-2, "-2"}, {0x1FFFFFFFE, "-2"}};
  for (const auto& [handle, text] : cases) {
    EXPECT_EQ(HandleText(handle), text);
    EXPECT_EQ(HandleText(HandleFromText(text)), text);
  }
  EXPECT_EQ(HandleFromText(""), 0);
  EXPECT_EQ(HandleFromText("junk"), 0);
}

// A system error in decimal, an HRESULT in hexadecimal; the lines go to the
// log installed last, and to the one before it once that one is gone.
TEST(DevLogTest, FailureLinesGoToTheLogInstalledLast) {
  const struct {
    const char *what, *detail;
    unsigned long error;
    const char* line;
  } cases[] = {{"A", "", 0, "A failed"},
               {"A", "b c", 0, "A failed: b c"},
               {"A", "", 65535, "A failed (error 65535)"},
               {"A", "b", 65536, "A failed: b (error 0x00010000)"},
               {"A", "", 0x80004001, "A failed (error 0x80004001)"}};
  for (const auto& c : cases)
    EXPECT_EQ(devlog::FailureLine(c.what, c.detail, c.error), c.line);
  devlog::Failure("nobody", "listens");
  FakeLog outer;
  {
    FakeLog inner;
    devlog::Failure("first", "", 5);
    EXPECT_EQ(inner.lines, std::vector<std::string>{"first failed (error 5)"});
  }
  devlog::Failure("second");
  EXPECT_EQ(outer.lines, std::vector<std::string>{"second failed"});
}

}  // namespace
}  // namespace banchiro
