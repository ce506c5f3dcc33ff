// Helper that the desktop tests run inside the Wine test desktop.
//
//   desk_helper keeper    keeps one minimised window open so the wineserver
//                         and the virtual desktop stay up between test steps,
//                         and keeps the taskbar at the height given below
//   desk_helper taskbar   makes the taskbar 30 px high at the bottom, so that
//                         processes started later see the work area
//                         (0,0)-(1024,738) on a 1024x768 desktop
//   desk_helper workarea  prints SPI_GETWORKAREA as "left top right bottom"
//
// Exit codes: 0 done, 1 failed, 2 usage.

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "test_desktop.h"

namespace {

constexpr wchar_t kKeeperClass[] = L"E2EKeeper";
constexpr wchar_t kKeeperTitle[] = L"e2e keeper";

using banchiro::e2e::kTaskbarHeight;
using banchiro::e2e::kTaskbarTop;
using banchiro::e2e::kTaskbarWidth;

// explorer.exe creates the taskbar a moment after the desktop appears.
constexpr DWORD kTaskbarWaitMs = 10000;
constexpr DWORD kTaskbarPollMs = 50;

constexpr UINT_PTR kTaskbarTimer = 1;
constexpr UINT kTaskbarCheckMs = 50;

// Wine's explorer lays the taskbar out anew (20 px) whenever a notification
// icon comes or goes; put it back before any program reads the work area.
void KeepTaskbarHeight() {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  RECT r{};
  if (!tray || !GetWindowRect(tray, &r)) return;
  if (r.top == kTaskbarTop && r.bottom - r.top == kTaskbarHeight) return;
  SetWindowPos(tray, nullptr, 0, kTaskbarTop, kTaskbarWidth, kTaskbarHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // Running programs took the shorter taskbar's work area from the shell's
  // announcement; announce the test's own again.
  RECT work{0, 0, kTaskbarWidth, kTaskbarTop};
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, SPIF_SENDCHANGE);
}

LRESULT CALLBACK KeeperProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kTaskbarTimer) KeepTaskbarHeight();
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    // Stay an icon: a test that restores every window must not bring this one
    // into the arrangement it is checking.
    case WM_QUERYOPEN:
      return FALSE;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

int RunKeeper() {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = KeeperProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kKeeperClass;
  if (!RegisterClassExW(&wc)) {
    std::fwprintf(stderr, L"keeper: RegisterClassEx failed (%lu)\n", GetLastError());
    return 1;
  }
  HWND hwnd = CreateWindowExW(0, kKeeperClass, kKeeperTitle, WS_OVERLAPPEDWINDOW, 0, 0, 200, 80,
                              nullptr, nullptr, inst, nullptr);
  if (!hwnd) {
    std::fwprintf(stderr, L"keeper: CreateWindowEx failed (%lu)\n", GetLastError());
    return 1;
  }
  // Minimised without activation, so it never takes focus from the window a
  // test is driving.
  ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
  SetTimer(hwnd, kTaskbarTimer, kTaskbarCheckMs, nullptr);

  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int RunTaskbar() {
  HWND tray = nullptr;
  const DWORD start = GetTickCount();
  while (!(tray = FindWindowW(L"Shell_TrayWnd", nullptr))) {
    if (GetTickCount() - start >= kTaskbarWaitMs) {
      std::fwprintf(stderr, L"taskbar: no Shell_TrayWnd after %lu ms\n", kTaskbarWaitMs);
      return 1;
    }
    Sleep(kTaskbarPollMs);
  }
  if (!SetWindowPos(tray, nullptr, 0, kTaskbarTop, kTaskbarWidth, kTaskbarHeight,
                    SWP_NOZORDER | SWP_NOACTIVATE)) {
    std::fwprintf(stderr, L"taskbar: SetWindowPos failed (%lu)\n", GetLastError());
    return 1;
  }
  return 0;
}

int RunWorkArea() {
  RECT rc{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0)) {
    std::fwprintf(stderr, L"workarea: SystemParametersInfo failed (%lu)\n", GetLastError());
    return 1;
  }
  std::wprintf(L"%ld %ld %ld %ld\n", rc.left, rc.top, rc.right, rc.bottom);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int Usage() {
  std::fwprintf(stderr, L"usage: desk_helper keeper|taskbar|workarea\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return Usage();
  const wchar_t* cmd = argv[1];
  if (std::wcscmp(cmd, L"keeper") == 0) return RunKeeper();
  if (std::wcscmp(cmd, L"taskbar") == 0) return RunTaskbar();
  if (std::wcscmp(cmd, L"workarea") == 0) return RunWorkArea();
  return Usage();
}
