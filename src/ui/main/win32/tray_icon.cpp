#include "ui/main/win32/tray_icon.h"

#include <commctrl.h>
#include <shellapi.h>

#include <iterator>

#include "res/resource.h"
#include "ui/main/main_window_model.h"

namespace banchiro::ui {

// The events the model tells apart, as the notification area reports them.
static_assert(kTrayLeftButtonUp == WM_LBUTTONUP && kTrayRightButtonUp == WM_RBUTTONUP);
static_assert(kTrayKeySelect == NIN_KEYSELECT);

TrayIcon::TrayIcon(HINSTANCE instance, std::function<void(int)> on_event,
                   std::function<void()> on_taskbar_created)
    : instance_(instance),
      on_event_(std::move(on_event)),
      on_taskbar_created_(std::move(on_taskbar_created)) {}

TrayIcon::~TrayIcon() {
  Delete();
}

bool TrayIcon::Add(const std::wstring& tip) {
  if (!hwnd()) {
    taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
    RegisterClassOnce(instance_, kTrayOwnerClassName, nullptr);
    CreateFor(WS_EX_TOOLWINDOW, kTrayOwnerClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, instance_);
    // Run as administrator, the program would otherwise never hear from a
    // restarted Explorer, which runs at a lower integrity level.
    if (hwnd()) ChangeWindowMessageFilterEx(hwnd(), taskbar_created_, MSGFLT_ALLOW, nullptr);
    // The small-icon size of the screen's scale, drawn from the nearest
    // larger picture of the icon file.
    HICON icon = nullptr;
    if (SUCCEEDED(LoadIconMetric(instance_, MAKEINTRESOURCEW(IDI_BANCHIRO), LIM_SMALL, &icon)))
      icon_.reset(icon);
  }
  tip_ = tip;
  // An icon the shell still holds (a "TaskbarCreated" from a shell that
  // kept its icons) refuses a second add; it takes a modify.
  added_ = Notify(NIM_ADD) || Notify(NIM_MODIFY);
  if (added_) {
    // Events as Windows 7 and later report them, the keyboard's among them.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd();
    data.uID = kTrayIconId;
    data.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
  }
  return added_;
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
  // The standard tip is shown only when asked for under version 4.
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = icon_.get();
  lstrcpynW(data.szTip, tip_.c_str(), static_cast<int>(std::size(data.szTip)));
  return Shell_NotifyIconW(action, &data) != FALSE;
}

LRESULT TrayIcon::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kTrayCallbackMessage) {
    // The event is the low word under every version of the notification;
    // under version 4 wParam holds the icon's place.
    const int event = LOWORD(lparam);
    keyboard_anchor_.reset();
    if (event == NIN_KEYSELECT) {
      keyboard_anchor_ =
          POINT{static_cast<short>(LOWORD(wparam)), static_cast<short>(HIWORD(wparam))};
    }
    if (on_event_) on_event_(event);
    return 0;
  }
  if (taskbar_created_ != 0 && message == taskbar_created_) {
    added_ = false;
    if (on_taskbar_created_) on_taskbar_created_();
    return 0;
  }
  return WindowBase::HandleMessage(message, wparam, lparam);
}

}  // namespace banchiro::ui
