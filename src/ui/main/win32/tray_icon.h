#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "common/own_windows.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/window_base.h"

namespace banchiro::ui {

inline constexpr const wchar_t* kTrayOwnerClassName =
    kOwnWindowClassW<OwnWindow::kTrayOwner>.data();
// The message the icon's events arrive with: one of the program's own, so
// that no message of the system's (a mouse move) can pass for an event.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// The notification-area icon. A hidden top-level window owns it and hears
// its mouse and keyboard events; being top-level (not message-only) it also
// hears the shell's "TaskbarCreated", after which a restarted shell must be
// given the icon again.
class TrayIcon : public WindowBase {
 public:
  // on_event gets the mouse message or key event the icon reports;
  // on_taskbar_created runs when a new taskbar announces itself.
  TrayIcon(HINSTANCE instance, std::function<void(int)> on_event,
           std::function<void()> on_taskbar_created);
  ~TrayIcon() override;
  // True when the notification area holds the icon now.
  bool Add(const std::wstring& tip);
  void Delete();
  // Where the icon is, while an event from the keyboard is served: a menu
  // it opens belongs there, not at the mouse pointer.
  const std::optional<POINT>& keyboard_anchor() const { return keyboard_anchor_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool Notify(DWORD action);

  HINSTANCE instance_;
  std::function<void(int)> on_event_;
  std::function<void()> on_taskbar_created_;
  win32::UniqueIcon icon_;
  std::wstring tip_;
  std::optional<POINT> keyboard_anchor_;
  UINT taskbar_created_ = 0;
  bool added_ = false;
};

}  // namespace banchiro::ui
