#include "engine/place_rows.h"

#include <vector>

#include "engine/moves.h"

namespace banchiro {

void PlaceRows(WindowSystem& windows, const WindowTable& table) {
  std::vector<const WindowRow*> rescaled;
  for (const WindowRow& row : table) {
    const int from = windows.MonitorDpi(windows.Describe(row.handle).rect);
    PlaceWindow(windows, row.handle, row.target);
    if (from != windows.MonitorDpi(row.target)) rescaled.push_back(&row);
  }
  if (rescaled.empty()) return;
  std::vector<WindowHandle> handles;
  for (const WindowRow* row : rescaled)
    handles.push_back(row->handle);
  windows.AwaitWindows(handles, kDpiChangeWaitMs);
  // Measured again: the invisible frame has the new monitor's scale now.
  for (const WindowRow* row : rescaled)
    PlaceWindow(windows, row->handle, row->target);
}

}  // namespace banchiro
