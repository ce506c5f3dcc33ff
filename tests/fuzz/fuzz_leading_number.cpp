// Any text may stand in the store where a number is expected.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = banchiro::LeadingNumber(text);
  if (std::isnan(value)) std::abort();
  const std::int32_t whole = banchiro::RoundToInt32(value);
  if (std::isfinite(value) && std::fabs(value) < 1e9 && std::fabs(whole - value) > 0.5) {
    std::abort();
  }
  // What the program writes back must read as the same number.
  const double again = banchiro::LeadingNumber(banchiro::FormatNumber(value));
  if (std::isfinite(value) && std::fabs(again - value) > std::fabs(value) * 1e-14) std::abort();
  if (std::isinf(value) && again != 0) std::abort();
  return 0;
}
