#include "engine/moves.h"

#include <cstdlib>
#include <string>

#include "settings/key_table.h"
#include "settings/settings.h"

namespace banchiro {
namespace {

// Where the windows minimised by the fallback are remembered: section hWnd,
// M_Wnd(1..20) hold the handles in decimal, M_Count how many are valid.
constexpr std::string_view kMinimizedCountKey = "M_Count";
constexpr std::string_view kMinimizedHandleKey = "M_Wnd";

}  // namespace

void PlaceWindow(WindowSystem& windows, WindowHandle window, const Rect& target) {
  Placement placement = windows.GetPlacement(window);
  if (placement.flags == kPlacementRestoreToMaximized) {
    placement.flags = kPlacementAsync;
    placement.show_command = kShowNormal;
  } else if (placement.flags == kPlacementAsync) {
    placement.flags = kPlacementRestoreToMaximized;
    placement.show_command = kShowNormal;
  }
  // Writing a placement waits for the window's program; a hung one would
  // stall the whole arrangement, so it keeps its placement as it is.
  if (windows.Responds(window, kRespondTimeoutMs)) windows.SetPlacement(window, placement);
  windows.Move(window, target);
}

void MinimizeAllWindows(Shell& shell, WindowSystem& windows, SettingsStore& store,
                        const WindowTable& table) {
  if (shell.MinimizeAll()) return;
  int count = 0;
  for (const auto& row : table) {
    windows.Minimize(row.handle);
    ++count;
    store.Write(kSectionHWnd, IndexedKeyName(kMinimizedHandleKey, count), HandleText(row.handle));
  }
  store.Write(kSectionHWnd, kMinimizedCountKey, std::to_string(count));
}

void UndoMinimizeAllWindows(Shell& shell, WindowSystem& windows, SettingsStore& store) {
  if (shell.UndoMinimizeAll()) return;
  const int count = std::atoi(store.Read(kSectionHWnd, kMinimizedCountKey).c_str());
  for (int i = 1; i <= count && i <= kMaxWindows; ++i) {
    const WindowHandle window =
        HandleFromText(store.Read(kSectionHWnd, IndexedKeyName(kMinimizedHandleKey, i)));
    // A handle may have been reused by another window since; only a window
    // that is still minimised is one the user expects back.
    if (window != 0 && windows.Exists(window) && windows.IsMinimized(window)) {
      windows.Restore(window);
    }
  }
  store.Write(kSectionHWnd, kMinimizedCountKey, "0");
}

void CloseAllWindows(WindowSystem& windows, const WindowTable& table) {
  for (const auto& row : table)
    windows.PostClose(row.handle);
}

}  // namespace banchiro
