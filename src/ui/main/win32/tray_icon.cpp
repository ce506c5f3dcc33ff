#include "ui/main/win32/tray_icon.h"

#include <shellapi.h>

#include <iterator>

#include "res/resource.h"
#include "ui/main/main_window_model.h"

namespace banchiro::ui {

TrayIcon::TrayIcon(HINSTANCE instance, std::function<void(int)> on_mouse)
    : instance_(instance), on_mouse_(std::move(on_mouse)) {}

TrayIcon::~TrayIcon() {
  Delete();
}

void TrayIcon::Add(const std::wstring& tip) {
  if (!hwnd()) {
    taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
    RegisterClassOnce(instance_, kTrayOwnerClassName, nullptr);
    CreateFor(WS_EX_TOOLWINDOW, kTrayOwnerClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, instance_);
    icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_BANCHIRO), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0)));
  }
  tip_ = tip;
  Notify(NIM_ADD);
  // Kept even when the shell was not ready: it is added again when the
  // taskbar announces itself.
  added_ = true;
}

void TrayIcon::Delete() {
  if (!added_) return;
  Notify(NIM_DELETE);
  added_ = false;
}

bool TrayIcon::Notify(DWORD action) {
  if (!hwnd()) return false;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd();
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = icon_.get();
  lstrcpynW(data.szTip, tip_.c_str(), static_cast<int>(std::size(data.szTip)));
  return Shell_NotifyIconW(action, &data) != FALSE;
}

LRESULT TrayIcon::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kTrayCallbackMessage) {
    if (on_mouse_) on_mouse_(static_cast<int>(LOWORD(lparam)));
    return 0;
  }
  if (taskbar_created_ != 0 && message == taskbar_created_) {
    // Without the icon a hidden bar could not be reached at all.
    if (added_) Notify(NIM_ADD);
    return 0;
  }
  return WindowBase::HandleMessage(message, wparam, lparam);
}

}  // namespace banchiro::ui
