// Opens windows in a process of its own, as a user's programs would, so that
// the end-to-end tests and the benchmark can watch BANCHIRO arrange them.
//
//   window_helper --ready FILE --log FILE WINDOW...
//
// Each WINDOW is a list of NAME=VALUE items separated by ';'. The first one is
// row 1 (topmost), the next row 2, and so on:
//   title=TEXT       caption; may be empty
//   class=NAME       window class, registered by this process, so that names of
//                    system classes ("Static", "IME") can be given too
//                    (default BanchiroE2eWindow)
//   rect=L,T,W,H     outer rectangle in normal state (default: staggered by
//                    row; Wine keeps no z-order between windows that do not
//                    overlap, so rows that must keep theirs should overlap)
//   state=normal|max|min|hidden
//   thread=own       runs on a thread of its own, so that freezing it leaves
//                    the other windows responsive
//   vanish           destroyed the moment someone else starts moving another
//                    window of this helper: it disappears between an
//                    arranger's collection and its move
//
// Once every window is up and the shown ones (normal or maximised) are in
// row order, row 1 on top, FILE of --ready is written (atomically) with one
// line per row: "ROW HWND" (decimal). Minimised and hidden windows end up
// below the shown ones under Wine, whatever their row.
// The log file gets one line per event:
//   close ROW WPARAM LPARAM   WM_CLOSE arrived (the window then closes)
//   quit ROW WPARAM           WM_QUIT ended the message loop of ROW's thread
//   destroy ROW               the window was destroyed
//   freeze ROW MS / thaw ROW  kFreezeMessage arrived / its thread woke up
//   vanish ROW                the window was destroyed by the vanish rule
//
// A test freezes a window's thread by posting WM_APP+1 with wParam = milliseconds.
// Exit codes: 0 every window closed, 1 failed, 2 usage, 3 WM_QUIT.

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <share.h>
#include <windows.h>

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kFreezeMessage = WM_APP + 1;
// Wakes a message loop to look at its live-window count again.
constexpr UINT kWakeMessage = WM_APP + 2;
// Sent to a vanishing window's own thread, which alone may destroy it.
constexpr UINT kVanishMessage = WM_APP + 3;
// Asks a window's own thread to raise it: Wine does not keep the z-order
// asked for by another thread reliably.
constexpr UINT kRaiseMessage = WM_APP + 4;
constexpr wchar_t kDefaultClass[] = L"BanchiroE2eWindow";

// Window creation and z-order changes are not instant under Wine; give the
// desktop this long to show the order asked for.
constexpr DWORD kZOrderLimitMs = 10000;
constexpr DWORD kZOrderPollMs = 20;
constexpr DWORD kZOrderLookMs = 300;

enum class State { kNormal, kMaximised, kMinimised, kHidden };

struct Desc {
  int row = 0;
  std::wstring title;
  std::wstring class_name = kDefaultClass;
  RECT rect{};
  bool has_rect = false;
  State state = State::kNormal;
  bool own_thread = false;
  bool vanish = false;
};

struct Window;

// The windows of one thread and that thread's message loop.
struct Thread {
  std::vector<Window*> windows;
  int live = 0;
  DWORD id = 0;
};

struct Window {
  Desc desc;
  HWND hwnd = nullptr;
  WNDPROC system_proc = nullptr;  // set when a system class was subclassed
  Thread* thread = nullptr;
};

std::vector<std::unique_ptr<Window>> g_windows;
// Set once the ready file is out: from then on every move is someone else's.
std::atomic<bool> g_armed{false};
std::atomic<bool> g_vanished{false};

CRITICAL_SECTION g_log_lock;
FILE* g_log = nullptr;

void Log(const char* format, ...) {
  EnterCriticalSection(&g_log_lock);
  if (g_log) {
    va_list args;
    va_start(args, format);
    std::vfprintf(g_log, format, args);
    va_end(args);
    std::fputc('\n', g_log);
    // A test reads the log while this process runs, maybe right before it
    // is terminated: every line must be on disk at once.
    std::fflush(g_log);
  }
  LeaveCriticalSection(&g_log_lock);
}

Window* WindowOf(HWND hwnd) {
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CallNext(Window* window, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (window && window->system_proc) return CallWindowProcW(window->system_proc, hwnd, msg, wp, lp);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// Someone else is moving one of our windows: an arranger has collected the
// desktop and is now placing windows, so the vanishing ones go right now.
void VanishOthers(const Window* moved) {
  if (moved->desc.vanish || g_vanished.exchange(true)) return;
  for (auto& window : g_windows) {
    if (window->desc.vanish && window->hwnd && IsWindow(window->hwnd)) {
      SendMessageW(window->hwnd, kVanishMessage, 0, 0);
    }
  }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Window* window = WindowOf(hwnd);
  if (!window) return DefWindowProcW(hwnd, msg, wp, lp);
  const int row = window->desc.row;
  switch (msg) {
    case WM_CLOSE:
      Log("close %d %llu %lld", row, static_cast<unsigned long long>(wp),
          static_cast<long long>(lp));
      break;  // the default closes the window
    case WM_DESTROY: {
      Log("destroy %d", row);
      window->hwnd = nullptr;
      Thread* thread = window->thread;
      if (--thread->live == 0) PostThreadMessageW(thread->id, kWakeMessage, 0, 0);
      break;
    }
    case WM_WINDOWPOSCHANGING: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
      const bool moves = (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
      if (g_armed && moves) VanishOthers(window);
      break;
    }
    case kFreezeMessage:
      Log("freeze %d %llu", row, static_cast<unsigned long long>(wp));
      Sleep(static_cast<DWORD>(wp));
      Log("thaw %d", row);
      return 0;
    case kRaiseMessage:
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return 0;
    case kVanishMessage:
      Log("vanish %d", row);
      DestroyWindow(hwnd);
      return 0;
    default:
      break;
  }
  return CallNext(window, hwnd, msg, wp, lp);
}

// A class name that the system already has (Static) cannot be registered
// again by every Wine version; then the system class is used and subclassed.
bool EnsureClass(const std::wstring& name, bool* subclass) {
  static std::map<std::wstring, bool> known;
  const auto found = known.find(name);
  if (found != known.end()) {
    *subclass = found->second;
    return true;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name.c_str();
  if (RegisterClassExW(&wc)) {
    known[name] = *subclass = false;
    return true;
  }
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(nullptr, name.c_str(), &existing)) {
    std::fwprintf(stderr, L"window_helper: cannot register class '%ls' (%lu)\n", name.c_str(),
                  GetLastError());
    return false;
  }
  known[name] = *subclass = true;
  return true;
}

// Creates and shows one window on the calling thread.
bool CreateOne(Window* window, bool subclass) {
  const Desc& desc = window->desc;
  const RECT r = desc.has_rect ? desc.rect
                               : RECT{100 + 9 * desc.row, 80 + 7 * desc.row,
                                      100 + 9 * desc.row + 320, 80 + 7 * desc.row + 220};
  window->hwnd =
      CreateWindowExW(0, desc.class_name.c_str(), desc.title.c_str(), WS_OVERLAPPEDWINDOW, r.left,
                      r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                      GetModuleHandleW(nullptr), subclass ? nullptr : window);
  if (!window->hwnd) {
    std::fwprintf(stderr, L"window_helper: CreateWindowEx row %d failed (%lu)\n", desc.row,
                  GetLastError());
    return false;
  }
  if (subclass) {
    SetWindowLongPtrW(window->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    window->system_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
  }
  ++window->thread->live;
  // Nothing activates: activation raises a window and would undo the order
  // that the rows ask for.
  switch (desc.state) {
    case State::kNormal:
      ShowWindow(window->hwnd, SW_SHOWNOACTIVATE);
      break;
    case State::kMaximised:
      ShowWindow(window->hwnd, SW_SHOWMAXIMIZED);
      break;
    case State::kMinimised:
      ShowWindow(window->hwnd, SW_SHOWMINNOACTIVE);
      break;
    case State::kHidden:
      break;
  }
  return true;
}

// Pumps until the thread's windows are all gone or WM_QUIT arrives.
// Returns false on WM_QUIT.
bool RunLoop(Thread* thread) {
  MSG msg;
  while (thread->live > 0) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      Log("quit %d %llu", thread->windows.front()->desc.row,
          static_cast<unsigned long long>(msg.wParam));
      return false;
    }
    if (got == -1) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

// Body of a thread=own window: creates it, reports, then pumps.
void OwnThread(Thread* thread, HANDLE created, bool* ok) {
  thread->id = GetCurrentThreadId();
  Window* window = thread->windows.front();
  bool subclass = false;
  const bool created_ok =
      EnsureClass(window->desc.class_name, &subclass) && CreateOne(window, subclass);
  // `ok` lives on the creator's stack only until the event is set.
  *ok = created_ok;
  SetEvent(created);
  if (created_ok) RunLoop(thread);
}

struct OrderRequest {
  std::map<HWND, int> rows;
  std::vector<int> seen;
};

BOOL CALLBACK CollectOrder(HWND hwnd, LPARAM param) {
  auto* request = reinterpret_cast<OrderRequest*>(param);
  const auto found = request->rows.find(hwnd);
  if (found != request->rows.end()) request->seen.push_back(found->second);
  return TRUE;
}

// Only the shown windows count: Wine keeps minimised and hidden windows below
// them whatever is asked, and an arranger skips those anyway.
bool IsShown(const Window& window) {
  return window.desc.state == State::kNormal || window.desc.state == State::kMaximised;
}

// The shown rows in EnumWindows order, topmost first.
std::vector<int> ShownOrder() {
  OrderRequest request;
  for (auto& window : g_windows) {
    if (IsShown(*window)) request.rows[window->hwnd] = window->desc.row;
  }
  EnumWindows(CollectOrder, reinterpret_cast<LPARAM>(&request));
  return request.seen;
}

bool OrderIsRows() {
  std::vector<int> wanted;
  for (auto& window : g_windows) {
    if (IsShown(*window)) wanted.push_back(window->desc.row);
  }
  return ShownOrder() == wanted;
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Stacks the windows bottom row first, so row 1 ends on top, and checks the
// result the way an arranger sees it: in EnumWindows order.
bool ArrangeZOrder() {
  const ULONGLONG deadline = GetTickCount64() + kZOrderLimitMs;
  for (;;) {
    // The desktop may still be applying earlier changes: look for a while
    // before raising again.
    const ULONGLONG look_until = GetTickCount64() + kZOrderLookMs;
    do {
      PumpPending();
      if (OrderIsRows()) return true;
      Sleep(kZOrderPollMs);
    } while (GetTickCount64() < look_until);
    if (GetTickCount64() >= deadline) return false;
    for (auto it = g_windows.rbegin(); it != g_windows.rend(); ++it) {
      if (IsShown(**it)) SendMessageW((*it)->hwnd, kRaiseMessage, 0, 0);
    }
  }
}

bool WriteReady(const std::wstring& path) {
  const std::wstring temp = path + L".tmp";
  FILE* out = _wfopen(temp.c_str(), L"wb");
  if (!out) return false;
  for (auto& window : g_windows) {
    std::fprintf(out, "%d %llu\n", window->desc.row,
                 static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window->hwnd)));
  }
  if (std::fclose(out) != 0) return false;
  return MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool ParseRect(const std::wstring& text, RECT* rect) {
  long l = 0, t = 0, w = 0, h = 0;
  wchar_t tail = 0;
  if (std::swscanf(text.c_str(), L"%ld,%ld,%ld,%ld%lc", &l, &t, &w, &h, &tail) != 4) return false;
  if (w <= 0 || h <= 0) return false;
  *rect = RECT{l, t, l + w, t + h};
  return true;
}

bool ParseWindow(const std::wstring& text, int row, Desc* desc) {
  desc->row = row;
  bool has_title = false;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L';', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring item = text.substr(start, end - start);
    start = end + 1;
    if (item.empty()) continue;
    const std::size_t eq = item.find(L'=');
    const std::wstring name = item.substr(0, eq);
    const std::wstring value = eq == std::wstring::npos ? L"" : item.substr(eq + 1);
    if (name == L"title") {
      desc->title = value;
      has_title = true;
    } else if (name == L"class" && !value.empty()) {
      desc->class_name = value;
    } else if (name == L"rect") {
      if (!ParseRect(value, &desc->rect)) return false;
      desc->has_rect = true;
    } else if (name == L"state" && value == L"normal") {
      desc->state = State::kNormal;
    } else if (name == L"state" && value == L"max") {
      desc->state = State::kMaximised;
    } else if (name == L"state" && value == L"min") {
      desc->state = State::kMinimised;
    } else if (name == L"state" && value == L"hidden") {
      desc->state = State::kHidden;
    } else if (name == L"thread" && value == L"own") {
      desc->own_thread = true;
    } else if (name == L"vanish" && eq == std::wstring::npos) {
      desc->vanish = true;
    } else {
      std::fwprintf(stderr, L"window_helper: bad item '%ls' in window %d\n", item.c_str(), row);
      return false;
    }
  }
  if (!has_title) std::fwprintf(stderr, L"window_helper: window %d has no title=\n", row);
  return has_title;
}

int Usage() {
  std::fwprintf(stderr, L"usage: window_helper --ready FILE --log FILE WINDOW...\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring ready_path, log_path;
  std::vector<Desc> descs;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--ready" && i + 1 < argc) {
      ready_path = argv[++i];
    } else if (arg == L"--log" && i + 1 < argc) {
      log_path = argv[++i];
    } else {
      Desc desc;
      if (!ParseWindow(arg, static_cast<int>(descs.size()) + 1, &desc)) return Usage();
      descs.push_back(desc);
    }
  }
  if (ready_path.empty() || log_path.empty() || descs.empty()) return Usage();

  InitializeCriticalSection(&g_log_lock);
  g_log = _wfsopen(log_path.c_str(), L"ab", _SH_DENYNO);
  if (!g_log) {
    std::fwprintf(stderr, L"window_helper: cannot open log '%ls'\n", log_path.c_str());
    return 1;
  }

  Thread main_thread;
  main_thread.id = GetCurrentThreadId();
  std::vector<std::unique_ptr<Thread>> own_threads;
  for (const Desc& desc : descs) {
    auto window = std::make_unique<Window>();
    window->desc = desc;
    if (desc.own_thread) {
      own_threads.push_back(std::make_unique<Thread>());
      window->thread = own_threads.back().get();
    } else {
      window->thread = &main_thread;
    }
    window->thread->windows.push_back(window.get());
    g_windows.push_back(std::move(window));
  }

  // Created bottom row first, each on its own thread: a new window goes on
  // top, so the order asked for is mostly there already and ArrangeZOrder
  // only corrects it.
  std::vector<std::thread> threads;
  for (auto it = g_windows.rbegin(); it != g_windows.rend(); ++it) {
    Window* window = it->get();
    bool ok = false;
    if (window->desc.own_thread) {
      HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
      threads.emplace_back(OwnThread, window->thread, created, &ok);
      // Pumps meanwhile: creating a window may send to this thread's windows.
      while (MsgWaitForMultipleObjects(1, &created, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        PumpPending();
      CloseHandle(created);
    } else {
      bool subclass = false;
      ok = EnsureClass(window->desc.class_name, &subclass) && CreateOne(window, subclass);
    }
    if (!ok) {
      for (auto& thread : threads)
        thread.detach();
      return 1;
    }
  }

  if (!ArrangeZOrder()) {
    std::fwprintf(stderr, L"window_helper: the z-order did not settle to the rows:");
    for (int row : ShownOrder())
      std::fwprintf(stderr, L" %d", row);
    std::fwprintf(stderr, L"\n");
    for (auto& thread : threads)
      thread.detach();
    return 1;
  }
  if (!WriteReady(ready_path)) {
    std::fwprintf(stderr, L"window_helper: cannot write '%ls'\n", ready_path.c_str());
    for (auto& thread : threads)
      thread.detach();
    return 1;
  }
  g_armed = true;

  const bool quit = main_thread.windows.empty() ? false : !RunLoop(&main_thread);
  if (quit) {
    // A program that gets WM_QUIT ends, whatever windows it still has.
    std::fflush(g_log);
    ExitProcess(3);
  }
  for (auto& thread : threads)
    thread.join();
  return 0;
}
