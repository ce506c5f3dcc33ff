#pragma once

#include <windows.h>

namespace banchiro::ui {

// Base of every window class of the program: one static window procedure
// binds the C++ object at WM_NCCREATE and forwards every message to the
// object's HandleMessage; exceptions never cross into the window system.
class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase();

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers the class once per process (with this thunk as procedure).
  static void RegisterClassOnce(HINSTANCE instance, const wchar_t* class_name, HICON icon,
                                UINT style = 0);
  HWND CreateFor(DWORD ex_style, const wchar_t* class_name, const wchar_t* title, DWORD style,
                 int x, int y, int width, int height, HWND parent, HINSTANCE instance);
  // A window that is never shown, to own a window that must not get a
  // taskbar button (Wine's taskbar shows unowned tool windows too).
  static HWND CreateHiddenOwner(HINSTANCE instance);
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Called once the window is gone (after WM_NCDESTROY); hwnd() is null then.
  virtual void OnDestroyed() {}
  // A window that paints its whole client area itself answers true: the
  // base then serves WM_PAINT with Paint and never erases the background
  // first, so nothing flickers.
  virtual bool PaintsWholeClient() const { return false; }
  virtual void Paint(HDC) {}

 private:
  static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
};

}  // namespace banchiro::ui
