// The yardstick of the arrangement benchmark, the physical limit: a bare
// process that finds the benchmark's windows (topmost first, as an arranger
// collects them) and moves each to its target with one asynchronous
// SetWindowPos, then ends. Nothing it does can be left out by an arranger.
//
//   move_limit.exe L T W H  L T W H ...   one target per row, topmost first
//
// Exit code: the number of windows it moved.
#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

BOOL CALLBACK CollectRow(HWND window, LPARAM rows) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (IsWindowVisible(window) && std::wcscmp(name, L"BanchiroE2eWindow") == 0)
    reinterpret_cast<std::vector<HWND>*>(rows)->push_back(window);
  return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  std::vector<long> numbers;
  for (wchar_t* at = arguments;;) {
    wchar_t* end = nullptr;
    const long number = std::wcstol(at, &end, 10);
    if (end == at) break;
    numbers.push_back(number);
    at = end;
  }
  std::vector<HWND> rows;
  EnumWindows(CollectRow, reinterpret_cast<LPARAM>(&rows));
  int moved = 0;
  for (std::size_t i = 0; i < rows.size() && 4 * i + 3 < numbers.size(); ++i) {
    const long* r = &numbers[4 * i];
    if (SetWindowPos(rows[i], nullptr, r[0], r[1], r[2], r[3],
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS)) {
      ++moved;
    }
  }
  return moved;
}
