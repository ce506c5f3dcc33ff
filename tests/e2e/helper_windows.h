#pragma once
// Windows of a process of their own (window_helper.exe) for the tests that
// arrange them, and the places the layouts give them on the test desktop
// (work area 0, 0, 1024, 738; Windows 7 as Wine reports it).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "platform/win32/utf.h"

namespace banchiro::e2e {

inline constexpr DWORD kReadyLimitMs = 30000;  // the helper's windows up and stacked
inline constexpr DWORD kSettleLimitMs = 5000;
// After the settle round trip a move is either there or will never come;
// this only covers a window manager that is slow to report it.
inline constexpr DWORD kPlacedLimitMs = 2000;
// Wine 8 tells a program it runs on Windows 7 (6.1) unless told otherwise,
// and the cascade step down is 29 there.
inline constexpr wchar_t kWineVersion[] = L"win7";
inline constexpr int kStepDown = 29;

struct Box {
  int left, top, width, height;
  bool operator==(const Box& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

inline void PrintTo(const Box& b, std::ostream* os) {
  *os << "(" << b.left << "," << b.top << "," << b.width << "," << b.height << ")";
}

inline Box RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Where a test window stands before the run: a size no layout produces, so a
// window that was not moved is told from one that was; staggered, and up to
// row 23 every one covers the point (350, 280). Wine does not keep the
// z-order of windows that do not overlap: it may swap them at any time.
inline Box StartRect(int row) {
  return {100 + 9 * row, 80 + 7 * row, 320, 220};
}

enum class Shown { kNormal, kMaximised, kMinimised, kHidden };

struct WindowDesc {
  explicit WindowDesc(std::wstring title) : title(std::move(title)) {}
  WindowDesc& Class(std::wstring name) {
    class_name = std::move(name);
    return *this;
  }
  WindowDesc& At(Box box) {
    rect = box;
    return *this;
  }
  WindowDesc& State(Shown state) {
    shown = state;
    return *this;
  }
  WindowDesc& OwnThread() {
    own_thread = true;
    return *this;
  }
  WindowDesc& Vanish() {
    vanish = true;
    return *this;
  }

  std::wstring title;
  std::wstring class_name;  // empty: the helper's own class
  Box rect{0, 0, 0, 0};     // zero width: StartRect of its row
  Shown shown = Shown::kNormal;
  bool own_thread = false;
  bool vanish = false;
};

using W = WindowDesc;

inline std::wstring Handle(HWND window) {
  return std::to_wstring(reinterpret_cast<std::uintptr_t>(window));
}

inline std::string Describe(HWND window) {
  return "[" + win32::Narrow(WindowText(window)) + " / " + win32::Narrow(ClassName(window)) + "]";
}

// The windows of one window_helper process. Row 1 is the topmost.
class HelperWindows {
 public:
  explicit HelperWindows(const std::vector<WindowDesc>& descs)
      : ready_path_(FreshTempPath(L"banchiro-e2e-ready")),
        log_path_(FreshTempPath(L"banchiro-e2e-log")) {
    std::wstring line = L"\"" + ProgramPath(L"window_helper.exe") + L"\" --ready \"" + ready_path_ +
                        L"\" --log \"" + log_path_ + L"\"";
    for (std::size_t i = 0; i < descs.size(); ++i) {
      const WindowDesc& s = descs[i];
      const Box r = s.rect.width ? s.rect : StartRect(static_cast<int>(i) + 1);
      starts_.push_back(r);
      line += L" \"title=" + s.title + L";rect=" + std::to_wstring(r.left) + L"," +
              std::to_wstring(r.top) + L"," + std::to_wstring(r.width) + L"," +
              std::to_wstring(r.height);
      if (!s.class_name.empty()) line += L";class=" + s.class_name;
      static const wchar_t* const kStates[] = {L"normal", L"max", L"min", L"hidden"};
      line += std::wstring(L";state=") + kStates[static_cast<int>(s.shown)];
      if (s.own_thread) line += L";thread=own";
      if (s.vanish) line += L";vanish";
      line += L"\"";
    }
    child_ = std::make_unique<Child>(line);
    if (!child_->started()) {
      failure_ = "window_helper.exe did not start";
      return;
    }
    std::optional<std::string> ready;
    WaitUntil(
        [&] {
          ready = ReadWholeFile(ready_path_);
          return ready || !child_->Running();
        },
        kReadyLimitMs);
    if (!ready) {
      failure_ = child_->Running() ? "window_helper.exe was not ready in time"
                                   : "window_helper.exe ended before it was ready";
      return;
    }
    std::istringstream in(*ready);
    int row = 0;
    unsigned long long handle = 0;
    while (in >> row >> handle) {
      rows_.push_back(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle)));
    }
    if (rows_.size() != descs.size()) failure_ = "window_helper.exe reported too few windows";
  }

  HelperWindows(const HelperWindows&) = delete;
  HelperWindows& operator=(const HelperWindows&) = delete;

  ~HelperWindows() {
    // The runner's own screenshot comes after the windows are gone.
    if (::testing::Test::HasFailure()) {
      const std::wstring folder = RunnerFolder() + L"\\e2e-failures";
      CreateDirectoryW(folder.c_str(), nullptr);
      const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
      std::string name = std::string(info->test_suite_name()) + "." + info->name();
      for (char& c : name) {
        if (c == '/' || c == '\\' || c == ':') c = '_';
      }
      SaveScreenshot(folder + L"\\" + std::wstring(name.begin(), name.end()) + L".windows.bmp");
    }
    child_.reset();
    DeleteFileW(ready_path_.c_str());
    DeleteFileW(log_path_.c_str());
  }

  bool ready() const { return failure_.empty(); }
  const std::string& failure() const { return failure_; }
  int count() const { return static_cast<int>(rows_.size()); }
  HWND row(int r) const { return rows_.at(r - 1); }
  Box start(int r) const { return starts_.at(r - 1); }
  std::vector<Box> starts() const { return starts_; }

  // Waits until every live window's thread has handled what was sent to it
  // before, so that a finished run's moves are all applied.
  bool Settle() const {
    bool all = true;
    for (HWND window : rows_) {
      if (IsWindow(window) && !e2e::Settle(window, kSettleLimitMs)) all = false;
    }
    return all;
  }

  std::vector<Box> Rects() const {
    std::vector<Box> rects;
    for (HWND window : rows_)
      rects.push_back(RectOf(window));
    return rects;
  }

  // The log lines that start with `prefix` ("close ", "quit "...).
  std::vector<std::string> LogLines(const std::string& prefix) const {
    std::vector<std::string> lines;
    std::istringstream in(ReadWholeFile(log_path_).value_or(""));
    std::string line;
    while (std::getline(in, line)) {
      if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
    }
    return lines;
  }

  bool WaitForLogLine(const std::string& wanted, DWORD timeout_ms) const {
    return WaitUntil(
        [&] {
          for (const std::string& line : LogLines(wanted)) {
            if (line == wanted) return true;
          }
          return false;
        },
        timeout_ms);
  }

 private:
  std::wstring ready_path_, log_path_;
  std::unique_ptr<Child> child_;
  std::vector<HWND> rows_;
  std::vector<Box> starts_;
  std::string failure_;
};

inline std::vector<WindowDesc> PlainWindows(int count) {
  std::vector<WindowDesc> descs;
  for (int i = 1; i <= count; ++i)
    descs.push_back(W(L"E2E 窓 " + std::to_wstring(i)));
  return descs;
}

// Compares every row with what the layout says; waits a little for a slow
// window manager before reporting the rows that differ.
inline void ExpectRects(const HelperWindows& helper, const std::vector<Box>& want) {
  ASSERT_EQ(static_cast<int>(want.size()), helper.count());
  ASSERT_TRUE(helper.Settle()) << "a helper window did not answer";
  WaitUntil([&] { return helper.Rects() == want; }, kPlacedLimitMs);
  for (int r = 1; r <= helper.count(); ++r) {
    EXPECT_EQ(RectOf(helper.row(r)), want[r - 1]) << "row " << r;
  }
}

// The four cascades: 427 x 307 windows (work area / 2.4), each slot 22 px
// across and `down` px down from the one before.
inline std::vector<Box> Cascade(wchar_t letter, int count, int down) {
  std::vector<Box> rows(count);
  for (int slot = 1; slot <= count; ++slot) {
    const int across = (slot - 1) * 22, below = (slot - 1) * down;
    switch (letter) {
      case L'S':  // top left to bottom right, the topmost window last
        rows[count - slot] = {70 + across, 70 + below, 427, 307};
        break;
      case L'L':  // top right to bottom left, the topmost window last
        rows[count - slot] = {527 - across, 70 + below, 427, 307};
        break;
      case L'K':  // bottom right to top left, the topmost window first
        rows[slot - 1] = {527 - across, 361 - below, 427, 307};
        break;
      case L'J':  // bottom left to top right, the topmost window first
        rows[slot - 1] = {70 + across, 361 - below, 427, 307};
        break;
      default:
        break;
    }
  }
  return rows;
}

// Where `letter`'s method puts `count` plain windows (rows from the
// topmost); empty when it leaves them where they are.
inline std::vector<Box> ExpectedRects(wchar_t letter, int count) {
  const wchar_t upper =
      static_cast<wchar_t>(letter >= L'a' && letter <= L'z' ? letter - 32 : letter);
  switch (upper) {
    case L'S':
    case L'L':
    case L'K':
    case L'J':
      return Cascade(upper, count, kStepDown);
    default:
      break;
  }
  const std::vector<std::vector<Box>> stacked = {
      {{70, 70, 884, 598}},
      {{70, 70, 884, 359}, {70, 429, 884, 239}},
      {{70, 70, 884, 199}, {70, 269, 884, 199}, {70, 469, 884, 199}},
      // 149.5, 219.5 and 518.5 round half to even.
      {{70, 70, 884, 150}, {70, 220, 884, 150}, {70, 369, 884, 150}, {70, 518, 884, 150}},
      {{70, 70, 884, 120},
       {70, 190, 884, 120},
       {70, 309, 884, 120},
       {70, 429, 884, 120},
       {70, 548, 884, 120}},
  };
  const std::vector<std::vector<Box>> side_by_side = {
      {{70, 70, 884, 598}},
      {{70, 70, 354, 598}, {424, 70, 530, 598}},
      {{70, 70, 295, 598}, {365, 70, 295, 598}, {660, 70, 295, 598}},
      {{70, 70, 221, 598}, {291, 70, 221, 598}, {512, 70, 221, 598}, {733, 70, 221, 598}},
      {{70, 70, 177, 598},
       {247, 70, 177, 598},
       {424, 70, 177, 598},
       {601, 70, 177, 598},
       {778, 70, 177, 598}},
  };
  const std::vector<Box> h3 = {{70, 70, 354, 598}, {424, 70, 530, 359}, {424, 429, 530, 239}};
  const std::vector<Box> n3 = {{70, 70, 354, 359}, {70, 429, 354, 239}, {424, 70, 530, 598}};
  const std::vector<Box> e3 = {{70, 70, 884, 359}, {70, 429, 354, 239}, {424, 429, 530, 239}};
  const std::vector<Box> d3 = {{70, 70, 354, 359}, {424, 70, 530, 359}, {70, 429, 884, 239}};
  const std::vector<Box> f4 = {
      {70, 70, 354, 359}, {424, 70, 530, 359}, {70, 429, 354, 239}, {424, 429, 530, 239}};
  if (upper == L'G' && count >= 1 && count <= 5) return stacked[count - 1];
  if (upper == L'O' && count >= 1 && count <= 5) return side_by_side[count - 1];
  if (count == 3) {
    if (upper == L'H') return h3;
    if (upper == L'N') return n3;
    if (upper == L'E') return e3;
    if (upper == L'D') return d3;
  }
  if (upper == L'F' && count == 4) return f4;
  return {};
}

}  // namespace banchiro::e2e
