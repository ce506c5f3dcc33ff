// End to end, the way a user starts it: the wall time from starting a program
// until the 20 windows of another process (window_helper.exe) stand where
// that program puts them. `BANCHIRO.EXE G` against move_limit.exe (the
// physical limit: a bare process moving each window to the same target with
// one asynchronous SetWindowPos), interleaved, every run from the same start:
// the same rectangles and the same z-order. Prints the figures and their
// ratio; asserts nothing.
//
//   arrange_bench.exe [runs]      runs per program, default 10
//
// Afterwards, when arrange_inprocess.exe lies beside it, that one runs on the
// same windows for the in-process figures.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "e2e_support.h"

// Found by the vector comparisons below through RECT's own (global) namespace.
static bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace banchiro::e2e {
namespace {

// What another process has written to a file so far; nothing before it exists.
inline std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::wstring FreshTempPath(const std::wstring& stem) {
  static LONG counter = 0;
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(InterlockedIncrement(&counter));
}

constexpr int kWindows = 20;
constexpr int kDefaultRuns = 10;
constexpr DWORD kReadyLimitMs = 30000;
constexpr DWORD kRunLimitMs = 30000;
constexpr DWORD kSettleLimitMs = 5000;
// A run whose windows are not all in place by then counts as missed.
constexpr DWORD kReachLimitMs = 10000;
constexpr DWORD kOrderLimitMs = 5000;

std::string Text(const RECT& r) {
  char text[64];
  std::snprintf(text, sizeof text, "(%ld,%ld,%ld,%ld)", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return text;
}

// Staggered, and every one covers (350, 280): Wine does not keep the z-order
// of windows that do not overlap.
RECT StartRect(int row) {
  const LONG left = 100 + 9 * row, top = 80 + 7 * row;
  return {left, top, left + 320, top + 220};
}

// Half to even, on the exact fraction num / den (den > 0, num >= 0).
LONG RoundHalfEven(long long num, long long den) {
  const long long q = num / den, twice_rest = 2 * (num % den);
  if (twice_rest > den || (twice_rest == den && q % 2 == 1)) return static_cast<LONG>(q + 1);
  return static_cast<LONG>(q);
}

// Method G on the work area (0,0,1024,738) with the default 70 px gaps.
std::vector<RECT> StackedLayout() {
  std::vector<RECT> rects;
  const LONG height = RoundHalfEven(598, kWindows);
  for (int i = 0; i < kWindows; ++i) {
    const LONG top = 70 + RoundHalfEven(598LL * i, kWindows);
    rects.push_back({70, top, 70 + 884, top + height});
  }
  return rects;
}

struct Helper {
  std::unique_ptr<Child> child;
  std::vector<HWND> rows;
};

bool StartHelper(Helper* helper) {
  const std::wstring ready = FreshTempPath(L"arrange-bench-ready");
  std::wstring line = L"\"" + ProgramPath(L"window_helper.exe") + L"\" --ready \"" + ready + L"\"";
  for (int row = 1; row <= kWindows; ++row) {
    const RECT r = StartRect(row);
    wchar_t item[128];
    std::swprintf(item, 128, L" \"title=bench %02d;rect=%ld,%ld,%ld,%ld\"", row, r.left, r.top,
                  r.right - r.left, r.bottom - r.top);
    line += item;
  }
  helper->child = std::make_unique<Child>(line);
  std::optional<std::string> text;
  WaitUntil(
      [&] {
        text = ReadWholeFile(ready);
        return text || !helper->child->Running();
      },
      kReadyLimitMs);
  DeleteFileW(ready.c_str());
  if (!text) return false;
  std::istringstream in(*text);
  int row = 0;
  unsigned long long handle = 0;
  while (in >> row >> handle) {
    helper->rows.push_back(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle)));
  }
  return helper->rows.size() == kWindows;
}

std::vector<RECT> Rects(const std::vector<HWND>& rows) {
  std::vector<RECT> rects;
  for (HWND window : rows) {
    RECT r{};
    GetWindowRect(window, &r);
    rects.push_back(r);
  }
  return rects;
}

bool SettleAll(const std::vector<HWND>& rows) {
  for (HWND window : rows) {
    if (!Settle(window, kSettleLimitMs)) return false;
  }
  return true;
}

struct OrderRequest {
  std::map<HWND, int> rows;
  std::vector<int> seen;
};

BOOL CALLBACK CollectOrder(HWND window, LPARAM param) {
  auto* request = reinterpret_cast<OrderRequest*>(param);
  const auto found = request->rows.find(window);
  if (found != request->rows.end()) request->seen.push_back(found->second);
  return TRUE;
}

bool InRowOrder(const std::vector<HWND>& rows) {
  OrderRequest request;
  for (std::size_t i = 0; i < rows.size(); ++i)
    request.rows[rows[i]] = static_cast<int>(i);
  EnumWindows(CollectOrder, reinterpret_cast<LPARAM>(&request));
  for (std::size_t i = 0; i < request.seen.size(); ++i) {
    if (request.seen[i] != static_cast<int>(i)) return false;
  }
  return request.seen.size() == rows.size();
}

// Every run starts from the same desktop: the arrangement depends on the
// z-order, and a program may have changed both order and places.
bool Reset(const std::vector<HWND>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (IsIconic(rows[i]) || IsZoomed(rows[i])) ShowWindow(rows[i], SW_SHOWNOACTIVATE);
    const RECT r = StartRect(static_cast<int>(i) + 1);
    SetWindowPos(rows[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const bool ordered = WaitUntil(
      [&] {
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
          SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        return SettleAll(rows) && InRowOrder(rows);
      },
      kOrderLimitMs);
  std::vector<RECT> starts;
  for (std::size_t i = 0; i < rows.size(); ++i)
    starts.push_back(StartRect(static_cast<int>(i) + 1));
  return ordered && Rects(rows) == starts;
}

struct Contender {
  Contender(const char* name, std::wstring command) : name(name), command(std::move(command)) {}
  const char* name;
  std::wstring command;
  std::vector<RECT> targets;  // where its calibration run left the windows
  bool moves = false;         // false: only its start-to-exit time means anything
  std::vector<double> placed_ms, ended_ms;
  int missed = 0;
};

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// One run from the reset desktop: the milliseconds until every window stood
// at the contender's targets (when it moves windows at all), and until its
// process ended.
void TimeOneRun(Contender* contender, const std::vector<HWND>& rows) {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  Child child(contender->command);
  if (!child.started()) {
    ++contender->missed;
    return;
  }
  if (contender->moves) {
    double elapsed = 0;
    bool reached = false;
    while (!reached && elapsed < kReachLimitMs) {
      reached = Rects(rows) == contender->targets;
      elapsed = MillisecondsSince(start);
      if (!reached) Sleep(1);
    }
    if (reached) {
      contender->placed_ms.push_back(elapsed);
    } else {
      ++contender->missed;
    }
  }
  if (child.WaitForExit(kRunLimitMs)) contender->ended_ms.push_back(MillisecondsSince(start));
}

// A run that is not timed: where does this program put the windows?
bool Calibrate(Contender* contender, const std::vector<HWND>& rows) {
  if (!Reset(rows)) {
    std::printf("%s: could not reset the windows for calibration\n", contender->name);
    return false;
  }
  const std::vector<RECT> before = Rects(rows);
  Child child(contender->command);
  DWORD code = 0;
  if (!child.started() || !child.WaitForExit(kRunLimitMs, &code)) {
    std::printf("%s: did not start or did not end\n", contender->name);
    return false;
  }
  SettleAll(rows);
  contender->targets = Rects(rows);
  contender->moves = contender->targets != before;
  std::printf("%s: exit code %lu, %s\n", contender->name, code,
              contender->moves ? "moved the windows"
                               : "moved no window; only its start-to-exit time is measured");
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void RunInProcessBench(int runs) {
  const std::wstring exe = ProgramPath(L"arrange_inprocess.exe");
  if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  std::fflush(stdout);
  Child child(L"\"" + exe + L"\" " + std::to_wstring(runs));
  if (!child.started() || !child.WaitForExit(kRunLimitMs * runs)) {
    std::printf("arrange_inprocess.exe did not run to its end\n");
  }
}

int Main(int runs) {
  Helper helper;
  if (!StartHelper(&helper)) {
    std::printf("window_helper.exe did not bring up %d windows\n", kWindows);
    return 1;
  }
  const std::vector<HWND>& rows = helper.rows;

  Contender banchiro{"BANCHIRO.EXE G", L"\"" + ProgramPath(L"BANCHIRO.EXE") + L"\" G"};
  std::wstring limit_command = L"\"" + ProgramPath(L"move_limit.exe") + L"\"";
  for (const RECT& r : StackedLayout()) {
    limit_command += L" " + std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
                     std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top);
  }
  Contender limit{"the limit", limit_command};
  std::vector<Contender*> contenders = {&banchiro, &limit};
  for (Contender* contender : contenders) {
    if (!Calibrate(contender, rows)) return 1;
  }

  const std::vector<RECT> stacked = StackedLayout();
  if (banchiro.moves && banchiro.targets != stacked) {
    std::printf("BANCHIRO.EXE G left the windows off its layout:\n");
    for (int i = 0; i < kWindows; ++i) {
      if (banchiro.targets[i] == stacked[i]) continue;
      std::printf("  row %d at %s, layout %s\n", i + 1, Text(banchiro.targets[i]).c_str(),
                  Text(stacked[i]).c_str());
    }
  }

  for (int run = 0; run < runs; ++run) {
    // Alternate which program goes first, so that neither always follows
    // the other's after-effects.
    std::vector<Contender*> order = contenders;
    if (run % 2) std::reverse(order.begin(), order.end());
    for (Contender* contender : order) {
      if (!Reset(rows)) {
        std::printf("run %d: could not reset the windows\n", run + 1);
        return 1;
      }
      TimeOneRun(contender, rows);
    }
  }

  std::printf("end to end, %d windows, %d runs each (interleaved), milliseconds\n", kWindows, runs);
  const auto print = [](const char* name, const char* what, const std::vector<double>& ms) {
    if (ms.empty()) return;
    std::printf("  %-15s %-23s median %7.1f  (", name, what, Median(ms));
    for (std::size_t i = 0; i < ms.size(); ++i)
      std::printf(i ? " %.1f" : "%.1f", ms[i]);
    std::printf(")\n");
  };
  for (Contender* contender : contenders) {
    print(contender->name, "start to windows placed", contender->placed_ms);
    print(contender->name, "start to exit", contender->ended_ms);
    if (contender->missed) {
      std::printf("  %-15s %d runs did not place the windows in %lu ms\n", contender->name,
                  contender->missed, kReachLimitMs);
    }
  }
  if (!banchiro.placed_ms.empty() && !limit.placed_ms.empty()) {
    std::printf("  ratio BANCHIRO.EXE G / the limit, windows placed: %.2f\n",
                Median(banchiro.placed_ms) / Median(limit.placed_ms));
  }
  std::fflush(stdout);

  Reset(rows);
  RunInProcessBench(runs);
  return 0;
}

}  // namespace
}  // namespace banchiro::e2e

int main(int argc, char** argv) {
  // As under a resident instance: every `BANCHIRO.EXE G` arranges and ends.
  banchiro::e2e::ResidentStandIn resident;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : banchiro::e2e::kDefaultRuns;
  return banchiro::e2e::Main(runs);
}
