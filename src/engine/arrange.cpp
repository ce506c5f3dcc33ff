#include "engine/arrange.h"

#include "engine/collect.h"
#include "engine/layouts.h"
#include "engine/monitors.h"
#include "engine/moves.h"
#include "settings/setting_values.h"

namespace banchiro {

void ArrangeWindows(int method, Platform& platform, const Settings& settings,
                    const std::optional<Rect>& from) {
  if (method < 0 || method > 13) return;
  // Every monitor's windows are every window: minimise all, its undo and
  // close all then stay as they are with the primary monitor chosen.
  const MonitorChoice monitors = ArrangedMonitors(settings);
  if (monitors == MonitorChoice::kUnderPointer ||
      (monitors == MonitorChoice::kEvery && method <= 10))
    return ArrangeOnMonitors(method, platform, settings, from);
  WindowTable table =
      CollectWindows(platform.windows, platform.store, platform.message_boxes, settings);
  const bool windows_xp = GetWindowsName(platform.system.Version()) == WindowsName::kXP;
  const LayoutInputs inputs = MakeLayoutInputs(settings, platform.windows.WorkArea(), windows_xp);

  if (method <= 10) {
    const auto targets = ComputeLayout(method, static_cast<int>(table.size()), inputs);
    if (!targets) return;
    for (std::size_t row = 0; row < table.size(); ++row) {
      PlaceWindow(platform.windows, table[row].handle,
                  FitToArea((*targets)[row], inputs.work_area));
    }
  } else if (method == 11) {
    MinimizeAllWindows(platform.shell, platform.windows, platform.store, table);
  } else if (method == 12) {
    UndoMinimizeAllWindows(platform.shell, platform.windows, platform.store);
  } else {
    CloseAllWindows(platform.windows, table);
  }
}

}  // namespace banchiro
