#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "common/own_windows.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/window_base.h"

namespace banchiro::ui {

inline constexpr const wchar_t* kTrayOwnerClassName =
    kOwnWindowClassW<OwnWindow::kTrayOwner>.data();

// The notification-area icon. A hidden top-level window owns it and hears
// its mouse messages; being top-level (not message-only) it also hears the
// shell's "TaskbarCreated", after which a restarted shell must be given the
// icon again.
class TrayIcon : public WindowBase {
 public:
  // on_mouse gets the mouse message the icon reports.
  TrayIcon(HINSTANCE instance, std::function<void(int)> on_mouse);
  ~TrayIcon() override;
  void Add(const std::wstring& tip);
  void Delete();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool Notify(DWORD action);

  HINSTANCE instance_;
  std::function<void(int)> on_mouse_;
  win32::UniqueIcon icon_;
  std::wstring tip_;
  UINT taskbar_created_ = 0;
  bool added_ = false;
};

}  // namespace banchiro::ui
