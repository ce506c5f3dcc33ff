#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace banchiro {

// The decimal number at the start of a setting's text: leading blanks are
// skipped and the longest numeric prefix (sign, digits, one decimal point, an
// exponent) is taken. Empty or non-numeric text gives 0. Every place where a
// stored text becomes a number goes through here, so that "12px", " 5" and
// "abc" mean the same thing everywhere. Overflow gives +/-infinity, never UB.
double LeadingNumber(std::string_view text);

// Nearest integer with an exact half going to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2). Non-finite values are returned unchanged.
double RoundHalfEven(double value);

// RoundHalfEven, then clamped into the signed 32-bit range (NaN gives 0), for
// the moment a computed size or position becomes whole pixels or twips.
std::int32_t RoundToInt32(double value);

// Twips to whole pixels at this many twips per pixel, to the nearest
// (halves to even). A non-positive or non-finite twips-per-pixel gives 0.
int TwipsToPixels(double twips, double twips_per_pixel);

// Plain decimal text of a number as settings store it: "." as decimal point,
// no thousands separators, no trailing zeros, a fraction only where there is
// one ("7801.5", "1000", "-3"). Infinity and NaN are written as "0".
std::string FormatNumber(double value);

// The same for a single-precision value: 7 significant digits, so that the
// float's binary noise (0.1f = 0.100000001...) does not reach the text.
std::string FormatSingle(float value);

}  // namespace banchiro
