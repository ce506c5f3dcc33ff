#pragma once

#include <windows.h>

#include <cstdint>

#include "common/window_handle.h"

namespace banchiro::win32 {

// The one conversion between a window handle as the portable code holds it
// (a number) and the HWND the system takes.
inline HWND ToHwnd(WindowHandle handle) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
}

inline WindowHandle FromHwnd(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(window));
}

}  // namespace banchiro::win32
