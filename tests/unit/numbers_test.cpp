#include "common/numbers.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace banchiro {
namespace {

struct ParseCase {
  const char* text;
  double expected;
};

TEST(LeadingNumberTest, TakesTheNumericPrefix) {
  const ParseCase cases[] = {
      {"", 0},      {"abc", 0},     {"12", 12},    {"  12", 12},   {"\t 8", 8},        {"12px", 12},
      {"1.2", 1.2}, {"1.5.7", 1.5}, {".5", 0.5},   {"5.", 5},      {"-3.5x", -3.5},    {"+7", 7},
      {"- 7", 0},   {"-", 0},       {".", 0},      {"1e3", 1000},  {"1E-1", 0.1},      {"5e", 5},
      {"5e+", 5},   {"5ex", 5},     {"0x10", 0},   {"660", 660},   {"6.6.0", 6.6},     {"007", 7},
      {" 1 2", 1},  {"１２", 0},    {"12 34", 12}, {"9000", 9000}, {"7801.5", 7801.5},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(LeadingNumberTest, HugeAndTinyValuesStayDefined) {
  EXPECT_TRUE(std::isinf(LeadingNumber("1e400")));
  EXPECT_GT(LeadingNumber("1e400"), 0);
  EXPECT_LT(LeadingNumber("-1e400"), 0);
  EXPECT_EQ(LeadingNumber("1e-400"), 0.0);
  const std::string digits(5000, '9');
  EXPECT_TRUE(std::isinf(LeadingNumber(digits)));
  EXPECT_FALSE(std::isnan(LeadingNumber("nan")));
  EXPECT_EQ(LeadingNumber("inf"), 0.0);
}

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, double> cases[] = {
      {0.5, 0},     {1.5, 2},   {2.5, 2},    {3.5, 4},           {-0.5, 0},
      {-1.5, -2},   {-2.5, -2}, {2.4999, 2}, {2.5001, 3},        {1198.5, 1198},
      {5450, 5450}, {-3.2, -3}, {-3.7, -4},  {1e15 + 0.5, 1e15},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(RoundHalfEven(in), out) << in;
  EXPECT_TRUE(std::isinf(RoundHalfEven(std::numeric_limits<double>::infinity())));
}

TEST(RoundToInt32Test, ClampsInsteadOfOverflowing) {
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(1e20), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundToInt32(-1e20), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundToInt32(std::numeric_limits<double>::infinity()),
            std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundToInt32(std::nan("")), 0);
}

TEST(FormatNumberTest, PlainDecimalText) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},         {-0.0, "0"},          {1000, "1000"},
      {-3, "-3"},       {7801.5, "7801.5"},   {0.1 + 0.2, "0.3"},
      {1.2, "1.2"},     {10321.5, "10321.5"}, {9000 - 705 * 1.7, "7801.5"},
      {65535, "65535"},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(FormatNumber(in), out) << in;
}

TEST(FormatNumberTest, SinglePrecisionText) {
  const std::pair<float, const char*> cases[] = {
      {5450.0f, "5450"}, {0.1f, "0.1"}, {7801.5f, "7801.5"}, {-120.25f, "-120.25"}, {0.0f, "0"},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(FormatSingle(in), out) << in;
}

TEST(FormatNumberTest, RoundTripsThroughTheParse) {
  for (double v : {0.0, 1.0, -1.5, 1198.5, 123456.25, 7801.5, 0.125}) {
    EXPECT_EQ(LeadingNumber(FormatNumber(v)), v) << v;
  }
}

}  // namespace
}  // namespace banchiro
