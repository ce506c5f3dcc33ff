#include "engine/monitors.h"

#include <map>

#include "engine/collect.h"
#include "engine/moves.h"
#include "engine/place_rows.h"
#include "settings/setting_values.h"

namespace banchiro {
Rect DecidingPlace(const WindowInfo& window, const Placement& placement,
                   const Rect& primary_work_area) {
  if (window.show_command != kShowMinimized) return window.rect;
  return Rect{placement.normal_left + primary_work_area.left,
              placement.normal_top + primary_work_area.top,
              placement.normal_right - placement.normal_left,
              placement.normal_bottom - placement.normal_top};
}

WindowTable LayOutOnMonitors(DisplayMethod method, const WindowTable& table,
                             const std::vector<std::size_t>& monitor_of_row,
                             const std::vector<Monitor>& monitors, const LayoutInputs& inputs) {
  WindowTable placed;
  for (std::size_t m = 0; m < monitors.size(); ++m) {
    WindowTable rows;
    for (std::size_t row = 0; row < table.size(); ++row) {
      if (monitor_of_row[row] == m) rows.push_back(table[row]);
    }
    if (rows.empty()) continue;
    const Rect& area = monitors[m].work_area;
    LayoutInputs local = inputs;
    local.work_area = Rect{0, 0, area.width, area.height};
    const auto targets = ComputeLayout(method, static_cast<int>(rows.size()), local);
    if (!targets) continue;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const Rect& t = (*targets)[i];
      rows[i].target =
          FitToArea(Rect{t.left + area.left, t.top + area.top, t.width, t.height}, area);
      placed.push_back(rows[i]);
    }
  }
  return placed;
}

void ArrangeOnMonitors(DisplayMethod method, Platform& platform, const Settings& settings,
                       const std::optional<Rect>& from) {
  const std::vector<Monitor> monitors = platform.monitors.All();
  const bool every = ArrangedMonitors(settings) == MonitorChoice::kEvery;
  // The system's own answer for the pointer: its monitor holds all of its area.
  const std::size_t chosen = MonitorHolding(
      monitors, from ? *from : platform.monitors.At(platform.monitors.Pointer()).area);
  const auto belongs = [&](const WindowInfo& info, const Placement& placement) {
    return MonitorHolding(monitors, DecidingPlace(info, placement, monitors.front().work_area));
  };

  std::map<WindowHandle, std::size_t> monitor_of;
  WindowTable table = CollectWindows(platform.windows, platform.store, platform.message_boxes,
                                     settings, [&](WindowHandle handle, const WindowInfo& info) {
                                       const std::size_t m = belongs(info, {});
                                       monitor_of[handle] = m;
                                       return every || m == chosen;
                                     });
  if (method == DisplayMethod::kMinimizeAll)
    return MinimizeWindows(platform.windows, platform.store, table);
  if (method == DisplayMethod::kUndo) {
    return RestoreMinimizedWindows(platform.windows, platform.store, [&](WindowHandle window) {
      return belongs(platform.windows.Describe(window), platform.windows.GetPlacement(window)) ==
             chosen;
    });
  }
  if (method == DisplayMethod::kCloseAll) return CloseAllWindows(platform.windows, table);

  std::vector<std::size_t> monitor_of_row;
  for (const WindowRow& row : table)
    monitor_of_row.push_back(monitor_of[row.handle]);
  const bool windows_xp = GetWindowsName(platform.system.Version()) == WindowsName::kXP;
  const LayoutInputs inputs = MakeLayoutInputs(settings, monitors.front().work_area, windows_xp);
  const WindowTable placed = LayOutOnMonitors(method, table, monitor_of_row, monitors, inputs);
  PlaceArrangedRows(platform, settings, placed);
}

}  // namespace banchiro
