#include "common/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "common/text.h"

namespace banchiro {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
// A stored number may follow blanks and line breaks.
bool IsPadding(char c) {
  return IsBlank(c) || c == '\r' || c == '\n';
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsPadding(text[i]))
    ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i]))
    ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i]))
      ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  std::size_t end = i;
  // An exponent counts only when at least one digit follows it: "5e" is 5.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t exp_start = j;
    while (j < text.size() && IsDigit(text[j]))
      ++j;
    if (j > exp_start) end = j;
  }
  // strtod needs a terminated copy; the prefix is validated above, so the
  // whole copy is consumed. The program never changes the C locale, so the
  // decimal point is always ".".
  const std::string prefix(text.substr(start, end - start));
  const double value = std::strtod(prefix.c_str(), nullptr);
  return std::isnan(value) ? 0.0 : value;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5) return floor + 1.0;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = RoundHalfEven(value);
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (rounded <= kMin) return std::numeric_limits<std::int32_t>::min();
  if (rounded >= kMax) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(rounded);
}

int TwipsToPixels(double twips, double twips_per_pixel) {
  if (!(twips_per_pixel > 0) || !std::isfinite(twips_per_pixel)) return 0;
  return RoundToInt32(twips / twips_per_pixel);
}

std::string FormatNumber(double value) {
  // Infinity only comes from garbage in the store; "inf" would not read back
  // as a number anyway, so it is written as 0, like any other non-number.
  if (!std::isfinite(value) || value == 0.0) return "0";  // also turns -0 into "0"
  char buffer[64];
  // 15 significant digits hide binary noise such as 705 * 1.7 = 1198.4999...
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

std::string FormatSingle(float value) {
  if (!std::isfinite(value) || value == 0.0f) return "0";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
  return buffer;
}

}  // namespace banchiro
