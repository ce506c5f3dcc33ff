// Opens windows in a process of its own, as a user's programs would:
//   window_helper [--ready FILE] WINDOW...
// WINDOW (row 1 first) is "title=TEXT" with ';'-options: "rect=L,T,W,H" (by
// default staggered, all covering (350, 280): Wine keeps no z-order between
// windows that do not overlap), "vanish" (destroyed once someone moves
// another window of this process), "max" (shown maximised), "class=NAME"
// and "exstyle=HEX". FILE gets "ROW HWND" lines once all are up; WM_APP+1
// sleeps wParam ms. Exit 0 with the last window, 3 on WM_QUIT.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Window {
  std::wstring title, class_name = L"BanchiroE2eWindow";
  RECT rect{};
  bool vanish = false, maximized = false;
  DWORD ex_style = 0;
  HWND hwnd = nullptr;
};

std::vector<Window> g_windows;
int g_live = 0;
bool g_armed = false;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
  if (message == WM_APP + 1) Sleep(static_cast<DWORD>(wparam));
  if (message == WM_DESTROY && --g_live == 0) PostQuitMessage(0);
  if (message == WM_WINDOWPOSCHANGING && g_armed && !GetWindowLongPtrW(hwnd, GWLP_USERDATA) &&
      (~pos->flags & (SWP_NOMOVE | SWP_NOSIZE))) {
    g_armed = false;
    for (Window& window : g_windows) {
      if (window.vanish) DestroyWindow(window.hwnd);
    }
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

bool Parse(const wchar_t* text, int row, Window* window) {
  if (std::wcsncmp(text, L"title=", 6) != 0) return false;
  window->title.assign(text + 6, std::wcscspn(text + 6, L";"));
  window->rect = {100 + 9 * row, 80 + 7 * row, 420 + 9 * row, 300 + 7 * row};
  const wchar_t* rect = std::wcsstr(text, L";rect=");
  long l = 0, t = 0, w = 0, h = 0;
  if (rect && std::swscanf(rect, L";rect=%ld,%ld,%ld,%ld", &l, &t, &w, &h) == 4)
    window->rect = {l, t, l + w, t + h};
  window->vanish = std::wcsstr(text, L";vanish") != nullptr;
  window->maximized = std::wcsstr(text, L";max") != nullptr;
  if (const wchar_t* name = std::wcsstr(text, L";class="))
    window->class_name.assign(name + 7, std::wcscspn(name + 7, L";"));
  if (const wchar_t* style = std::wcsstr(text, L";exstyle="))
    window->ex_style = std::wcstoul(style + 9, nullptr, 16);
  return true;
}

// Renamed into place when complete: the test polls for the file.
bool WriteReady(const std::wstring& path) {
  FILE* out = _wfopen((path + L".tmp").c_str(), L"wb");
  for (std::size_t i = 0; out && i < g_windows.size(); ++i) {
    std::fprintf(out, "%d %llu\n", static_cast<int>(i + 1),
                 reinterpret_cast<unsigned long long>(g_windows[i].hwnd));
  }
  return out && std::fclose(out) == 0 &&
         MoveFileExW((path + L".tmp").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring ready;
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--ready") == 0 && i + 1 < argc) {
      ready = argv[++i];
    } else {
      g_windows.emplace_back();
      if (!Parse(argv[i], static_cast<int>(g_windows.size()), &g_windows.back())) return 2;
    }
  }
  if (g_windows.empty()) return 2;
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  // The bottom row first, so that row 1 ends up on top; shown without
  // activation, which would raise a window out of that order.
  for (auto it = g_windows.rbegin(); it != g_windows.rend(); ++it, ++g_live) {
    const RECT& r = it->rect;
    window_class.lpszClassName = it->class_name.c_str();
    RegisterClassW(&window_class);  // fails harmlessly for a name registered before
    it->hwnd = CreateWindowExW(it->ex_style, window_class.lpszClassName, it->title.c_str(),
                               WS_OVERLAPPEDWINDOW, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    if (!it->hwnd) return 1;
    SetWindowLongPtrW(it->hwnd, GWLP_USERDATA, it->vanish);
    ShowWindow(it->hwnd, it->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
  }
  if (!ready.empty() && !WriteReady(ready)) return 1;
  g_armed = true;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    DispatchMessageW(&message);
  return g_live == 0 ? 0 : 3;  // WM_QUIT ends a program whatever it has open
}
