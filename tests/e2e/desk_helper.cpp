// Helper that the test desktop runs inside Wine.
//   desk_helper keeper    keeps a window that is never shown (no taskbar
//                         button, never arranged), so that the wineserver and
//                         the virtual desktop stay up, and holds the taskbar
//                         at the test height
//   desk_helper workarea  prints SPI_GETWORKAREA as "left top right bottom"
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "e2e_support.h"

namespace {

using namespace banchiro::e2e;

// Wine's explorer lays the taskbar out anew (20 px) whenever a tray icon
// comes or goes; put it back at once, and tell running programs the test's
// work area again, which they took from the shell's announcement.
void CALLBACK KeepTaskbarHeight(HWND, UINT, UINT_PTR, DWORD) {
  if (TaskbarAtTestHeight()) return;
  SetWindowPos(FindWindowW(L"Shell_TrayWnd", nullptr), nullptr, 0, kTaskbarTop, kTaskbarWidth,
               kTaskbarHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT work{0, 0, kTaskbarWidth, kTaskbarTop};
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, SPIF_SENDCHANGE);
}

int RunKeeper() {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"e2e keeper", WS_OVERLAPPEDWINDOW, 0, 0, 200, 80,
                              nullptr, nullptr, nullptr, nullptr);
  if (!hwnd || !SetTimer(hwnd, 1, 50, KeepTaskbarHeight)) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    DispatchMessageW(&message);
  return 0;
}

int PrintWorkArea() {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return 1;
  std::wprintf(L"%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wcscmp(argv[1], L"keeper") == 0) return RunKeeper();
  if (argc == 2 && std::wcscmp(argv[1], L"workarea") == 0) return PrintWorkArea();
  std::fwprintf(stderr, L"usage: desk_helper keeper|workarea\n");
  return 2;
}
