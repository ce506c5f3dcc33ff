#include "settings/setting_values.h"

#include <cmath>
#include <limits>

#include "common/function_keys.h"
#include "common/numbers.h"

namespace banchiro {
namespace {

bool IsOn(const std::string& flag) {
  return flag == "1";
}

bool IsNumericallyOne(const std::string& text) {
  return LeadingNumber(text) == 1.0;
}

constexpr std::int16_t kDefaultGap = 70;  // one icon column of 70 pixels
constexpr float kDefaultCascadeDivisor = static_cast<float>(1.2 + 1.2);

}  // namespace

bool ToolbarOn(const Settings& s) {
  return IsOn(s.OptTBar);
}
bool MenuBarOn(const Settings& s) {
  return IsOn(s.OptMBar);
}
bool CentredAtStart(const Settings& s) {
  return IsOn(s.OptCent);
}
bool StartsHidden(const Settings& s) {
  return IsOn(s.OptWinS);
}
bool SplashOn(const Settings& s) {
  return IsOn(s.OptLogo);
}
bool PaletteInFront(const Settings& s) {
  return IsOn(s.OptGuide);
}

bool UndoesArrangement(const Settings& s) {
  return IsOn(s.OptUndo);
}

bool OnDisplayMenu(const Settings& s, int method) {
  return method >= 0 && method < kMethodCount && IsNumericallyOne(s.RgtClick[2][method]);
}

bool SeparatorOnDisplayMenu(const Settings& s, int separator) {
  return separator >= 0 && separator < kSeparatorCount && IsNumericallyOne(s.OptSepa[separator]);
}

std::optional<int> AssignedKey(const Settings& s, int method) {
  if (method < 0 || method >= kMethodCount) return std::nullopt;
  const double key = LeadingNumber(s.Fkey[method]);
  if (!(key >= kFirstFunctionKey && key <= kLastFunctionKey) || key != std::floor(key)) {
    return std::nullopt;
  }
  return static_cast<int>(key);
}

bool MarkedForPalette(const Settings& s, int method) {
  if (method < 0 || method >= kMethodCount) return false;
  const std::string& shown = s.FkeyDisp[method];
  return !shown.empty() && shown != "0";
}

std::uint32_t PaletteColour(const Settings& s, int index) {
  if (index < 0 || index > 1) return 0;
  const double value = LeadingNumber(s.OptCol[index]);
  if (!(value >= 0 && value <= 0xFFFFFF)) return 0;
  return static_cast<std::uint32_t>(RoundHalfEven(value));
}

MonitorChoice ArrangedMonitors(const Settings& s) {
  if (s.OptMon == "1") return MonitorChoice::kUnderPointer;
  if (s.OptMon == "2") return MonitorChoice::kEvery;
  return MonitorChoice::kPrimary;
}

ScheduledEnd ScheduledAction(const Settings& s) {
  if (s.OptRun == "0") return ScheduledEnd::kRestart;
  if (s.OptRun == "1") return ScheduledEnd::kShutDown;
  return ScheduledEnd::kNone;
}

TwipsPoint StoredMainPosition(const Settings& s) {
  return {LeadingNumber(s.S_Top), LeadingNumber(s.S_Left)};
}

TwipsPoint StoredPalettePosition(const Settings& s) {
  return {LeadingNumber(s.F_Top), LeadingNumber(s.F_Left)};
}

std::int16_t EdgeGap(const Settings& s, Edge edge) {
  const int e = static_cast<int>(edge);
  const double gap = RoundHalfEven(LeadingNumber(s.OptPix[e]) * LeadingNumber(s.OptSat[e]) +
                                   LeadingNumber(s.OptIval[e]));
  if (!std::isfinite(gap) || gap < std::numeric_limits<std::int16_t>::min() ||
      gap > std::numeric_limits<std::int16_t>::max()) {
    return kDefaultGap;
  }
  return static_cast<std::int16_t>(gap);
}

float CascadeDivisor(const Settings& s) {
  const float divisor = static_cast<float>(LeadingNumber(s.OptCas) + 1.2);
  // A divisor at or below 0 would turn every cascaded window inside out.
  return (std::isfinite(divisor) && divisor > 0.0f) ? divisor : kDefaultCascadeDivisor;
}

namespace {

// A share of twenty; anything else splits nothing and takes the default.
float Share(const std::string& text, int fallback) {
  const double share = LeadingNumber(text);
  return static_cast<float>(share >= 0 && share <= 20 ? share : fallback);
}

}  // namespace

float UpperRatio(const Settings& s) {
  return Share(s.OptRat[0], kDefaultUpperRatio);
}

float LeftRatio(const Settings& s) {
  return Share(s.OptRat[1], kDefaultLeftRatio);
}

SizeRule SizeRuleAt(const Settings& s, int rule) {
  if (rule < 0 || rule >= 4) return {};
  return {IsOn(s.OptJog[rule]), LeadingNumber(s.OptHgt[rule]), LeadingNumber(s.OptWth[rule])};
}

}  // namespace banchiro
