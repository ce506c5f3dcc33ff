#include "engine/collect.h"

#include <cstdint>
#include <optional>

#include "common/own_windows.h"
#include "settings/key_table.h"
#include "settings/setting_values.h"
#include "settings/settings_writer.h"

namespace banchiro {
namespace {

// Windows that are never a user's document: input-method and toolbar
// helpers, application stubs, and the shell's own: the desktop, the
// taskbars, the Start menu and its kin.
constexpr std::string_view kExcludedClasses[] = {
    "IME",
    "TApplication",
    "",
    "CiceroUIWndFrame",
    "IDEOwner",
    "Static",
    "Progman",
    "msime98toolbar",
    "TfrmThClock",
    "Shell_TrayWnd",
    "Shell_SecondaryTrayWnd",
    "WorkerW",
    "Windows.UI.Core.CoreWindow",
};

// The hidden owner window of a Visual Basic program: "Thunder", three
// characters of any kind, then "Main" (ThunderRT6Main and the like).
bool IsThunderMain(std::string_view class_name) {
  return class_name.size() >= 14 && class_name.substr(0, 7) == "Thunder" &&
         class_name.substr(10, 4) == "Main";
}

bool FailsSizeRule(const WindowInfo& window, const Settings& settings) {
  for (int k = 0; k < 4; ++k) {
    const SizeRule rule = SizeRuleAt(settings, k);
    if (rule.on && rule.height > window.rect.height && rule.width > window.rect.width) return true;
  }
  return false;
}

bool HasExcludedTitle(const std::string& title, const Settings& settings) {
  // Every entry counts wherever it stands: the list the settings dialog saves
  // has no gaps, but one edited by hand may, and a fragment after a gap is
  // still the user's. An empty entry would be found in every title and leave
  // every window out; it excludes nothing.
  for (const std::string& fragment : settings.JogaiWid) {
    if (!fragment.empty() && title.find(fragment) != std::string::npos) return true;
  }
  return false;
}

// Overlays that never take the focus, and tool windows (floating palettes
// and toolbars) unless they ask for a taskbar button.
bool IsOverlayOrToolWindow(std::uint32_t ex_style) {
  if (ex_style & kExNoActivate) return true;
  return (ex_style & kExToolWindow) && !(ex_style & kExAppWindow);
}

// The system refuses every move, minimise and close request to a window of
// a process above this one's integrity level; one whose token cannot be
// read is taken to be such a process. Where this process cannot read its
// own level, there is nothing to compare with and every window is taken.
bool IsBeyondReach(WindowSystem& windows, WindowHandle window,
                   const std::optional<std::uint32_t>& own_level) {
  if (!own_level) return false;
  const std::optional<std::uint32_t> level = windows.Integrity(window);
  return !level || *level > *own_level;
}

}  // namespace

bool IsExcludedWindow(const WindowInfo& window, const Settings& settings) {
  if (!window.visible || window.cloaked || window.show_command == kShowMinimized) return true;
  for (auto excluded : kExcludedClasses) {
    if (window.class_name == excluded) return true;
  }
  if (IsOwnWindowClass(window.class_name)) return true;
  if (IsThunderMain(window.class_name)) return true;
  if (FailsSizeRule(window, settings)) return true;
  if (window.title.empty()) return true;
  return HasExcludedTitle(window.title, settings);
}

WindowTable CollectWindows(WindowSystem& windows, SettingsStore& store, MessageBoxes& message_boxes,
                           const Settings& settings,
                           const std::function<bool(WindowHandle, const WindowInfo&)>& wanted) {
  WindowTable table;
  const std::optional<std::uint32_t> own_level = windows.OwnIntegrity();
  for (const WindowHandle handle : windows.TopLevelWindows()) {
    // The style and the token are read only for a window that passed the
    // cheaper tests; all of them leave a window out as if it were hidden.
    const WindowInfo info = windows.Describe(handle);
    if (IsExcludedWindow(info, settings) || IsOverlayOrToolWindow(windows.ExtendedStyle(handle)) ||
        IsBeyondReach(windows, handle, own_level) || (wanted && !wanted(handle, info))) {
      continue;
    }
    if (static_cast<int>(table.size()) >= kMaxWindows) {
      message_boxes.Show(kTooManyWindowsMessage, kTooManyWindowsTitle, MessageButtons::kOk,
                         MessageIcon::kExclamation);
      continue;
    }
    table.push_back({handle, {}});
    SettingsWriter(store).Set(Key::N_Wnd, static_cast<int>(table.size()), HandleText(handle));
  }
  return table;
}

}  // namespace banchiro
