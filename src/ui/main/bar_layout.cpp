#include "ui/main/bar_layout.h"

#include "common/numbers.h"
#include "settings/setting_values.h"

namespace banchiro {
namespace {

enum class Look { kXpClassic, kXpStyled, kWindows2000, kOther };

Look LookFor(WindowsName windows, const std::string& appearance_scheme) {
  if (windows == WindowsName::kXP)
    return appearance_scheme.empty() ? Look::kXpStyled : Look::kXpClassic;
  if (windows == WindowsName::k2000) return Look::kWindows2000;
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

BarLayout BarLayoutFor(bool toolbar_on, bool menu_bar_on, WindowsName windows,
                       const std::string& appearance_scheme) {
  const int look = static_cast<int>(LookFor(windows, appearance_scheme));
  // With the toolbar off the menus are the only way to reach anything, so
  // they show whatever OptMBar says (a store edited by hand can hold both off).
  if (!toolbar_on) return {true, kToolbarOff.by_look[look], false};
  if (!menu_bar_on) return {false, kToolbarOnly.by_look[look], true};
  return {true, kBoth.by_look[look], true};
}

PixelSize BarPixelSize(const BarLayout& layout, const BarMetrics& metrics, int dpi) {
  const int height = metrics.frame_height + (layout.menus_visible ? metrics.menu_height : 0) +
                     (layout.toolbar_visible ? metrics.toolbar_height : 0);
  return {TwipsToPixels(layout.size.width, 1440.0 / dpi), height};
}

BarLayout BarLayoutFor(const Settings& settings, WindowsName windows) {
  return BarLayoutFor(ToolbarOn(settings), MenuBarOn(settings), windows,
                      settings.appearance_scheme);
}

TwipsPoint CentredOnScreen(const ScreenMetrics& screen, const TwipsSize& window) {
  return {(screen.height_twips() - window.height) / 2, (screen.width_twips() - window.width) / 2};
}

TwipsPoint MainWindowPositionFor(const Settings& settings, const ScreenMetrics& screen,
                                 const TwipsSize& window) {
  if (CentredAtStart(settings)) return CentredOnScreen(screen, window);
  return StoredMainPosition(settings);
}

}  // namespace banchiro
