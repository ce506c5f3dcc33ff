#include "engine/arrange.h"

#include "engine/collect.h"
#include "engine/layouts.h"
#include "engine/monitors.h"
#include "engine/moves.h"
#include "engine/place_rows.h"
#include "engine/undo_memory.h"
#include "settings/setting_values.h"

namespace banchiro {

void ArrangeWindows(DisplayMethod method, Platform& platform, const Settings& settings,
                    const std::optional<Rect>& from) {
  if (!MethodAt(MethodIndex(method))) return;  // a value cast from no method
  // Rectangles of other programs, work area and frames alike, in real
  // pixels on every monitor: a program of another monitor's scale would
  // otherwise be read and moved in scaled ones.
  const auto monitor_pixels = platform.windows.MonitorPixels();
  // Of an arrangement and a minimise all, 元に戻す undoes the later one.
  if (method == DisplayMethod::kMinimizeAll) ForgetArrangement(platform.volatile_store);
  if (method == DisplayMethod::kUndo && UndoesArrangement(settings) && UndoArrangement(platform))
    return;
  // Every monitor's windows are every window: minimise all, its undo and
  // close all then stay as they are with the primary monitor chosen.
  const MonitorChoice monitors = ArrangedMonitors(settings);
  if (monitors == MonitorChoice::kUnderPointer ||
      (monitors == MonitorChoice::kEvery && IsLayout(method)))
    return ArrangeOnMonitors(method, platform, settings, from);
  WindowTable table =
      CollectWindows(platform.windows, platform.store, platform.message_boxes, settings);
  const bool windows_xp = GetWindowsName(platform.system.Version()) == WindowsName::kXP;
  const LayoutInputs inputs = MakeLayoutInputs(settings, platform.windows.WorkArea(), windows_xp);

  if (IsLayout(method)) {
    const auto targets = ComputeLayout(method, static_cast<int>(table.size()), inputs);
    if (!targets) return;
    for (std::size_t row = 0; row < table.size(); ++row)
      table[row].target = FitToArea((*targets)[row], inputs.work_area);
    PlaceArrangedRows(platform, settings, table);
  } else if (method == DisplayMethod::kMinimizeAll) {
    MinimizeAllWindows(platform.shell, platform.windows, platform.store, table);
  } else if (method == DisplayMethod::kUndo) {
    UndoMinimizeAllWindows(platform.shell, platform.windows, platform.store);
  } else {
    CloseAllWindows(platform.windows, table);
  }
}

}  // namespace banchiro
