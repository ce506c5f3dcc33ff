#include "ui/win32/window_base.h"

#include <exception>
#include <string>

#include "common/dev_log.h"
#include "platform/win32/utf.h"

namespace banchiro::ui {
namespace {

// What the log says of an exception stopped at the window procedure.
std::string ExceptionDetail(UINT message, const char* what) {
  return "message " + std::to_string(message) + ": " + what;
}

}  // namespace

WindowBase::~WindowBase() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void WindowBase::RegisterClassOnce(HINSTANCE instance, const wchar_t* class_name, HICON icon,
                                   UINT style) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, class_name, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = Thunk;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = class_name;
  if (!RegisterClassExW(&wc)) {
    devlog::Failure("RegisterClassExW", win32::Narrow(class_name), GetLastError());
  }
}

HWND WindowBase::CreateFor(DWORD ex_style, const wchar_t* class_name, const wchar_t* title,
                           DWORD style, int x, int y, int width, int height, HWND parent,
                           HINSTANCE instance) {
  HWND window = CreateWindowExW(ex_style, class_name, title, style, x, y, width, height, parent,
                                nullptr, instance, this);
  if (!window) devlog::Failure("CreateWindowExW", win32::Narrow(class_name), GetLastError());
  return window;
}

HWND WindowBase::CreateHiddenOwner(HINSTANCE instance) {
  HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, instance, nullptr);
  if (!owner) devlog::Failure("CreateWindowExW", "hidden owner", GetLastError());
  return owner;
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (PaintsWholeClient()) {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK WindowBase::Thunk(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  WindowBase* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& e) {
    devlog::Failure("window procedure", ExceptionDetail(message, e.what()));
    result = DefWindowProcW(hwnd, message, wparam, lparam);
  } catch (...) {
    devlog::Failure("window procedure", ExceptionDetail(message, "unknown exception"));
    result = DefWindowProcW(hwnd, message, wparam, lparam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
  }
  return result;
}

}  // namespace banchiro::ui
