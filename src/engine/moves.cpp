#include "engine/moves.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/numbers.h"
#include "settings/key_table.h"
#include "settings/settings_writer.h"
#include "settings/settings.h"

namespace banchiro {

Rect PlaceWindow(WindowSystem& windows, WindowHandle window, const Rect& target) {
  // 1. How the window stands: its placement holds its state and the
  //    rectangle it is restored to.
  const Placement placement = windows.GetPlacement(window);
  const bool maximized = static_cast<int>(placement.show_command) == kShowMaximized;
  // Read before it changes: a maximised window's frame hangs off the screen
  // on every side, a normal window has nothing invisible above its caption.
  FrameMargins border = windows.InvisibleBorder(window);
  if (maximized) border.top = 0;
  // 2. A maximised or snapped window would take the tile but keep its state,
  //    and its restore button or a caption drag would throw it back: it is
  //    made a normal window first, without activating it or waiting for it.
  if (maximized || windows.IsSnapped(window)) {
    Placement normal = placement;
    normal.flags = (placement.flags & ~kPlacementRestoreToMaximized) | kPlacementAsync;
    normal.show_command = kShowNoActivate;
    windows.SetPlacement(window, normal);
  }
  // 3. The move. Where the system draws an invisible border around the
  //    frame, the frame a user sees takes the tile, so tiled windows meet.
  const Rect moved{target.left - border.left, target.top - border.top,
                   target.width + border.left + border.right,
                   target.height + border.top + border.bottom};
  windows.Move(window, moved);
  return moved;
}

namespace {

// The windows the fallback minimised and the user has not brought back, in
// the order they were minimised. A count that is no number, or one beyond
// what the store holds, reads no further than the store's 20 entries.
std::vector<WindowHandle> StillMinimized(WindowSystem& windows, SettingsStore& store) {
  const double stored = LeadingNumber(ReadStored(store, Key::M_Count));
  const int count = stored > 0 ? static_cast<int>(std::min<double>(stored, kMaxWindows)) : 0;
  std::vector<WindowHandle> list;
  for (int i = 1; i <= count; ++i) {
    const WindowHandle window = HandleFromText(ReadStored(store, Key::M_Wnd, i));
    // A handle may have been reused by another window since; only a window
    // that is still minimised is one the user expects back.
    if (window != 0 && windows.Exists(window) && windows.IsMinimized(window)) {
      list.push_back(window);
    }
  }
  return list;
}

}  // namespace

void MinimizeAllWindows(Shell& shell, WindowSystem& windows, SettingsStore& store,
                        const WindowTable& table) {
  if (!shell.MinimizeAll()) MinimizeWindows(windows, store, table);
}

void MinimizeWindows(WindowSystem& windows, SettingsStore& store, const WindowTable& table) {
  // A second press before the undo adds to the list: the windows minimised
  // by the first must still come back.
  std::vector<WindowHandle> list = StillMinimized(windows, store);
  for (const auto& row : table) {
    windows.Minimize(row.handle);
    const bool listed = std::find(list.begin(), list.end(), row.handle) != list.end();
    if (!listed && static_cast<int>(list.size()) < kMaxWindows) list.push_back(row.handle);
  }
  SettingsWriter writer(store);
  for (std::size_t i = 0; i < list.size(); ++i)
    writer.Set(Key::M_Wnd, static_cast<int>(i) + 1, HandleText(list[i]));
  writer.Set(Key::M_Count, std::to_string(list.size()));
}

void UndoMinimizeAllWindows(Shell& shell, WindowSystem& windows, SettingsStore& store) {
  if (!shell.UndoMinimizeAll()) RestoreMinimizedWindows(windows, store);
}

void RestoreMinimizedWindows(WindowSystem& windows, SettingsStore& store,
                             const std::function<bool(WindowHandle)>& wanted) {
  std::vector<WindowHandle> kept;
  for (const WindowHandle window : StillMinimized(windows, store)) {
    if (!wanted || wanted(window)) {
      windows.Restore(window);
    } else {
      kept.push_back(window);
    }
  }
  SettingsWriter writer(store);
  for (std::size_t i = 0; i < kept.size(); ++i)
    writer.Set(Key::M_Wnd, static_cast<int>(i) + 1, HandleText(kept[i]));
  writer.Set(Key::M_Count, std::to_string(kept.size()));
}

void CloseAllWindows(WindowSystem& windows, const WindowTable& table) {
  for (const auto& row : table)
    windows.PostClose(row.handle);
}

}  // namespace banchiro
