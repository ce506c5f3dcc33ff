#include "engine/place_rows.h"

#include <vector>

#include "engine/moves.h"
#include "engine/undo_memory.h"
#include "settings/setting_values.h"

namespace banchiro {

std::vector<Rect> PlaceRows(WindowSystem& windows, const WindowTable& table) {
  std::vector<Rect> moved;
  std::vector<std::size_t> rescaled;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const WindowRow& row = table[i];
    const int from = windows.MonitorDpi(windows.Describe(row.handle).rect);
    moved.push_back(PlaceWindow(windows, row.handle, row.target));
    if (from != windows.MonitorDpi(row.target)) rescaled.push_back(i);
  }
  if (rescaled.empty()) return moved;
  std::vector<WindowHandle> handles;
  for (const std::size_t i : rescaled)
    handles.push_back(table[i].handle);
  windows.AwaitWindows(handles, kDpiChangeWaitMs);
  // Measured again: the invisible frame has the new monitor's scale now.
  for (const std::size_t i : rescaled)
    moved[i] = PlaceWindow(windows, table[i].handle, table[i].target);
  return moved;
}

void PlaceArrangedRows(Platform& platform, const Settings& settings, const WindowTable& table) {
  const bool undoable = UndoesArrangement(settings);
  std::vector<RememberedWindow> arranged;
  if (undoable) {
    for (const WindowRow& row : table)
      arranged.push_back(RememberWindow(platform, row.handle));
  }
  const std::vector<Rect> moved = PlaceRows(platform.windows, table);
  for (std::size_t i = 0; i < arranged.size(); ++i)
    arranged[i].given = moved[i];
  KeepArrangement(platform.volatile_store, undoable, arranged);
}

}  // namespace banchiro
