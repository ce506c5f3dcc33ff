#pragma once

#include <string>

#include "platform/screen.h"
#include "settings/settings.h"

namespace banchiro {

// Width and height of the main window in twips (outer size, caption included).
struct TwipsSize {
  int width = 0;
  int height = 0;
};

struct PixelSize {
  int width = 0;
  int height = 0;
};

// The main-window size rule. The toolbar control itself always stays; with
// the toolbar off the window is only made too short to show it. The two
// top-level menus are hidden only with the toolbar on and the menu bar off,
// so the window can never lose both.
struct BarLayout {
  bool menus_visible = true;  // "総合ﾒﾆｭｰ(&M)" and "表示(&D)" on the bar
  TwipsSize size;
};

// windows_name is what GetWindowsName gives ("Windows XP", "Windows 2000",
// ...); appearance_scheme is empty on XP while its visual styles are in use,
// which makes the caption and the menu bar taller.
BarLayout BarLayoutFor(bool toolbar_on, bool menu_bar_on, const std::string& windows_name,
                       const std::string& appearance_scheme);

// The same from the settings record: OptTBar and OptMBar are on when "1".
BarLayout BarLayoutFor(const Settings& settings, const std::string& windows_name);

// Twips to whole pixels, to the nearest integer (halves to even). A
// non-positive or non-finite twips-per-pixel gives 0.
int TwipsToPixels(double twips, double twips_per_pixel);
PixelSize ToPixels(const TwipsSize& size, double twips_per_pixel_x, double twips_per_pixel_y);

// The main window's top/left in twips when it loads: centred on the screen
// with OptCent "1", otherwise the stored S_Top/S_Left (0 for text that is not
// a number).
struct MainWindowPosition {
  double top = 0, left = 0;
};
MainWindowPosition MainWindowPositionFor(const Settings& settings, const ScreenMetrics& screen,
                                         const TwipsSize& window);

}  // namespace banchiro
