#include "ui/main/bar_layout.h"

#include <cmath>

#include "common/numbers.h"

namespace banchiro {
namespace {

enum class Look { kXpClassic, kXpStyled, kWindows2000, kOther };

Look LookFor(const std::string& windows_name, const std::string& appearance_scheme) {
  if (windows_name == "Windows XP")
    return appearance_scheme.empty() ? Look::kXpStyled : Look::kXpClassic;
  if (windows_name == "Windows 2000") return Look::kWindows2000;
  return Look::kOther;
}

// One row per bar combination, one column per look, in the order of Look.
// XP's visual styles make the caption and the menu bar taller, so that look
// needs more height than the classic one on the same Windows.
struct SizeRow {
  TwipsSize by_look[4];
};
constexpr SizeRow kToolbarOff = {{{2240, 620}, {2520, 740}, {2280, 620}, {2300, 620}}};
constexpr SizeRow kToolbarOnly = {{{2520, 700}, {2520, 840}, {2500, 700}, {2500, 700}}};
constexpr SizeRow kBoth = {{{2520, 1000}, {2520, 1140}, {2500, 1000}, {2500, 1000}}};

}  // namespace

int TwipsToPixels(double twips, double twips_per_pixel) {
  if (!(twips_per_pixel > 0) || !std::isfinite(twips_per_pixel)) return 0;
  return RoundToInt32(twips / twips_per_pixel);
}

BarLayout BarLayoutFor(bool toolbar_on, bool menu_bar_on, const std::string& windows_name,
                       const std::string& appearance_scheme) {
  const int look = static_cast<int>(LookFor(windows_name, appearance_scheme));
  // With the toolbar off the menus are the only way to reach anything, so
  // they show whatever OptMBar says (a store edited by hand can hold both off).
  if (!toolbar_on) return {true, kToolbarOff.by_look[look]};
  if (!menu_bar_on) return {false, kToolbarOnly.by_look[look]};
  return {true, kBoth.by_look[look]};
}

BarLayout BarLayoutFor(const Settings& settings, const std::string& windows_name) {
  return BarLayoutFor(IsOn(settings.OptTBar), IsOn(settings.OptMBar), windows_name,
                      settings.appearance_scheme);
}

PixelSize ToPixels(const TwipsSize& size, double twips_per_pixel_x, double twips_per_pixel_y) {
  return {TwipsToPixels(size.width, twips_per_pixel_x),
          TwipsToPixels(size.height, twips_per_pixel_y)};
}

MainWindowPosition MainWindowPositionFor(const Settings& settings, const ScreenMetrics& screen,
                                         const TwipsSize& window) {
  if (IsOn(settings.OptCent)) {
    return {(screen.height_twips() - window.height) / 2, (screen.width_twips() - window.width) / 2};
  }
  return {LeadingNumber(settings.S_Top), LeadingNumber(settings.S_Left)};
}

}  // namespace banchiro
