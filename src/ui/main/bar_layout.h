#pragma once

#include <string>

#include "common/rect.h"
#include "platform/screen.h"
#include "platform/system_info.h"
#include "settings/settings.h"

namespace banchiro {

// Width and height of the main window in twips (outer size, caption included).
struct TwipsSize {
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
  bool toolbar_visible = true;  // within the window's height
};

// What the window system draws around the bar's client area, and the
// toolbar's own height, in pixels at one DPI: the caption and borders as
// AdjustWindowRectEx adds them, the further height of a one-line menu bar,
// and the toolbar as the control sizes itself.
struct BarMetrics {
  int frame_height = 0;
  int menu_height = 0;
  int toolbar_height = 0;
};

struct PixelSize {
  int width = 0;
  int height = 0;
};

// The bar's outer size in pixels at `dpi`: the width of the size rule, and
// exactly the height of the caption, the menu bar when shown and the toolbar
// when on, so that the toolbar is whole and nothing shows below it whatever
// the caption and menu heights of the Windows and its scale.
PixelSize BarPixelSize(const BarLayout& layout, const BarMetrics& metrics, int dpi);

// appearance_scheme is empty on XP while its visual styles are in use,
// which makes the caption and the menu bar taller.
BarLayout BarLayoutFor(bool toolbar_on, bool menu_bar_on, WindowsName windows,
                       const std::string& appearance_scheme);

// The same from the settings record: OptTBar and OptMBar are on when "1".
BarLayout BarLayoutFor(const Settings& settings, WindowsName windows);

// The top/left in twips of a window of this size centred on the screen.
TwipsPoint CentredOnScreen(const ScreenMetrics& screen, const TwipsSize& window);

// The main window's top/left in twips when it loads: centred on the screen
// with OptCent "1", otherwise the stored S_Top/S_Left (0 for text that is not
// a number).
TwipsPoint MainWindowPositionFor(const Settings& settings, const ScreenMetrics& screen,
                                 const TwipsSize& window);

}  // namespace banchiro
