// Opens windows in a process of its own, as a user's programs would, for the
// end-to-end tests and the benchmark to watch BANCHIRO arrange them.
//
//   window_helper --ready FILE [--log FILE] WINDOW...
//
// Each WINDOW is "title=TEXT" with ';'-separated options, row 1 first:
//   rect=L,T,W,H  outer rectangle; by default staggered by row, every one
//                 covering (350, 280): Wine keeps no z-order between windows
//                 that do not overlap
//   thread=own    on a thread of its own, which sleeps for the milliseconds
//                 in wParam of a posted WM_APP+1 while the others answer
//   vanish        destroyed as soon as someone else moves another window of
//                 this process: between an arranger's collection and its moves
// Once every window is up, FILE of --ready gets "ROW HWND" (decimal) per
// window. The process ends with its last window (exit code 0), or with 3
// when WM_QUIT ends it while windows are left. --log is accepted and unused.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Window {
  std::wstring title;
  RECT rect{};
  bool own_thread = false, vanish = false;
  HWND hwnd = nullptr;
};

std::vector<std::unique_ptr<Window>> g_windows;
std::atomic<int> g_live{0};
std::atomic<bool> g_armed{false}, g_vanished{false};
DWORD g_main_thread = 0;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
  if (message == WM_APP + 1) Sleep(static_cast<DWORD>(wparam));
  if (message == WM_APP + 2) DestroyWindow(hwnd);  // sent to a vanishing window's own thread
  if (message == WM_DESTROY && window->own_thread) PostQuitMessage(0);
  if (message == WM_DESTROY && --g_live == 0) PostThreadMessageW(g_main_thread, WM_QUIT, 0, 0);
  if (message == WM_WINDOWPOSCHANGING && g_armed && !window->vanish &&
      (~pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) && !g_vanished.exchange(true)) {
    for (auto& other : g_windows) {
      if (other->vanish && IsWindow(other->hwnd)) SendMessageW(other->hwnd, WM_APP + 2, 0, 0);
    }
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Shown without activation, which would raise it out of the order created.
bool Create(Window* window) {
  const RECT& r = window->rect;
  window->hwnd =
      CreateWindowExW(0, L"BanchiroE2eWindow", window->title.c_str(), WS_OVERLAPPEDWINDOW, r.left,
                      r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, window);
  if (window->hwnd) ShowWindow(window->hwnd, SW_SHOWNOACTIVATE);
  return window->hwnd != nullptr;
}

// False when WM_QUIT came while windows of this thread were left.
bool RunLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    DispatchMessageW(&message);
  return g_live == 0;
}

bool Parse(const std::wstring& text, int row, Window* window) {
  window->rect = {100 + 9 * row, 80 + 7 * row, 420 + 9 * row, 300 + 7 * row};
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(L';', start), text.size());
    const std::wstring item = text.substr(start, end - start);
    start = end + 1;
    long l = 0, t = 0, w = 0, h = 0;
    if (item.rfind(L"title=", 0) == 0) {
      window->title = item.substr(6);
    } else if (std::swscanf(item.c_str(), L"rect=%ld,%ld,%ld,%ld", &l, &t, &w, &h) == 4) {
      window->rect = {l, t, l + w, t + h};
    } else if (item == L"thread=own" || item == L"vanish") {
      (item == L"vanish" ? window->vanish : window->own_thread) = true;
    } else if (!item.empty()) {
      return false;
    }
  }
  return true;
}

// Renamed into place when complete: the test polls for the file.
bool WriteReady(const std::wstring& path) {
  FILE* out = _wfopen((path + L".tmp").c_str(), L"wb");
  for (std::size_t i = 0; out && i < g_windows.size(); ++i)
    std::fprintf(out, "%d %llu\n", static_cast<int>(i + 1),
                 reinterpret_cast<unsigned long long>(g_windows[i]->hwnd));
  return out && std::fclose(out) == 0 &&
         MoveFileExW((path + L".tmp").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring ready;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if ((arg == L"--ready" || arg == L"--log") && i + 1 < argc) {
      if (arg == L"--ready") ready = argv[i + 1];
      ++i;
      continue;
    }
    g_windows.push_back(std::make_unique<Window>());
    if (!Parse(arg, static_cast<int>(g_windows.size()), g_windows.back().get())) return 2;
  }
  if (ready.empty() || g_windows.empty()) return 2;
  g_main_thread = GetCurrentThreadId();
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = L"BanchiroE2eWindow";
  RegisterClassW(&window_class);

  // The bottom row first, so that row 1 ends up on top.
  std::vector<std::thread> threads;
  for (auto it = g_windows.rbegin(); it != g_windows.rend(); ++it) {
    Window* window = it->get();
    ++g_live;
    if (!window->own_thread) {
      if (!Create(window)) return 1;
      continue;
    }
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    threads.emplace_back([window, created] {
      const bool ok = Create(window);
      SetEvent(created);
      if (ok) RunLoop();
    });
    // Creating a window may send to this thread's windows: answer meanwhile.
    while (MsgWaitForMultipleObjects(1, &created, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    }
    CloseHandle(created);
    if (!window->hwnd) return 1;
  }
  if (!WriteReady(ready)) return 1;
  g_armed = true;
  if (!RunLoop()) ExitProcess(3);  // as WM_QUIT ends a program, whatever it had open
  for (auto& thread : threads)
    thread.join();
  return 0;
}
