#include "engine/undo_memory.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

#include "engine/window_table.h"
#include "settings/settings.h"

namespace banchiro {
namespace {

constexpr std::string_view kVersionLine = "BANCHIRO arrangement 1";
// handle, process, maximised, four of the restored and four of the given
// rectangle; the class is the rest of the line, as it may hold blanks.
constexpr int kNumberFields = 11;

Rect NormalRect(const Placement& p) {
  return Rect{p.normal_left, p.normal_top, p.normal_right - p.normal_left,
              p.normal_bottom - p.normal_top};
}

void AppendRect(std::string& line, const Rect& r) {
  for (const std::int32_t n : {r.left, r.top, r.width, r.height})
    line += " " + std::to_string(n);
}

// A whole token as a number within [low, high]; anything else is damage.
std::optional<std::int64_t> Number(std::string_view token, std::int64_t low, std::int64_t high) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (error != std::errc() || end != token.data() + token.size() || token.empty()) return {};
  if (value < low || value > high) return {};
  return value;
}

std::optional<RememberedWindow> ParseLine(std::string_view line) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::int64_t n[kNumberFields] = {};
  for (int i = 0; i < kNumberFields; ++i) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return {};
    const bool size = i == 5 || i == 6 || i == 9 || i == 10;
    const auto value = i == 1   ? Number(line.substr(0, blank), 1, 0xFFFFFFFF)
                       : i == 2 ? Number(line.substr(0, blank), 0, 1)
                       : size   ? Number(line.substr(0, blank), 1, kMax)
                                : Number(line.substr(0, blank), kMin, kMax);
    if (!value) return {};
    n[i] = *value;
    line.remove_prefix(blank + 1);
  }
  if (n[0] == 0 || line.empty()) return {};
  auto i32 = [&](int i) { return static_cast<std::int32_t>(n[i]); };
  RememberedWindow window;
  window.handle = n[0];
  window.process = static_cast<ProcessId>(n[1]);
  window.maximized = n[2] == 1;
  window.restored = Rect{i32(3), i32(4), i32(5), i32(6)};
  window.given = Rect{i32(7), i32(8), i32(9), i32(10)};
  window.class_name = std::string(line);
  return window;
}

// Still the window that was arranged, and where the arrangement put it.
bool StandsAsArranged(Platform& platform, const RememberedWindow& w) {
  // A window that is gone has no process and no class.
  if (platform.processes.WindowOwner(w.handle) != w.process) return false;
  const WindowInfo now = platform.windows.Describe(w.handle);
  return now.class_name == w.class_name && now.show_command != kShowMaximized &&
         now.show_command != kShowMinimized && now.rect == w.given;
}

}  // namespace

std::string FormatArrangement(const std::vector<RememberedWindow>& windows) {
  std::string text(kVersionLine);
  for (const auto& w : windows) {
    // A class with a line break could not be read back as one line; such a
    // window is left out rather than the lines after it damaged.
    if (w.class_name.find_first_of("\r\n") != std::string::npos) continue;
    std::string line =
        "\n" + HandleText(w.handle) + " " + std::to_string(w.process) + (w.maximized ? " 1" : " 0");
    AppendRect(line, w.restored);
    AppendRect(line, w.given);
    text += line + " " + w.class_name;
  }
  return text;
}

std::vector<RememberedWindow> ParseArrangement(std::string_view text) {
  std::vector<RememberedWindow> windows;
  std::size_t end = text.find('\n');
  if (text.substr(0, end) != kVersionLine) return windows;
  while (end != std::string_view::npos && static_cast<int>(windows.size()) < kMaxWindows) {
    text.remove_prefix(end + 1);
    end = text.find('\n');
    if (auto window = ParseLine(text.substr(0, end))) windows.push_back(std::move(*window));
  }
  return windows;
}

RememberedWindow RememberWindow(Platform& platform, WindowHandle window) {
  RememberedWindow w;
  w.handle = window;
  w.process = platform.processes.WindowOwner(window);
  const WindowInfo info = platform.windows.Describe(window);
  w.class_name = info.class_name;
  w.maximized = info.show_command == kShowMaximized;
  w.restored = w.maximized ? NormalRect(platform.windows.GetPlacement(window)) : info.rect;
  return w;
}

void KeepArrangement(VolatileStore& store, bool undoable,
                     const std::vector<RememberedWindow>& windows) {
  // A memory that could not be replaced must not stay behind as the last
  // arrangement's.
  if (!undoable ||
      !store.Write(kSectionArrangement, kLastArrangementValue, FormatArrangement(windows))) {
    ForgetArrangement(store);
  }
}

void ForgetArrangement(VolatileStore& store) {
  store.Remove(kSectionArrangement, kLastArrangementValue);
}

bool UndoArrangement(Platform& platform) {
  const std::string text = platform.volatile_store.Read(kSectionArrangement, kLastArrangementValue);
  if (text.empty()) return false;
  ForgetArrangement(platform.volatile_store);
  const std::vector<RememberedWindow> remembered = ParseArrangement(text);
  if (remembered.empty()) return false;

  // From the bottom up, so that maximising, which brings a window to the
  // top, leaves the maximised ones in their order.
  std::vector<WindowHandle> back;
  bool raised = false;
  for (auto w = remembered.rbegin(); w != remembered.rend(); ++w) {
    if (!StandsAsArranged(platform, *w)) continue;
    platform.windows.Move(w->handle, w->restored);
    if (w->maximized) {
      Placement placement = platform.windows.GetPlacement(w->handle);
      placement.flags = kPlacementAsync;
      placement.show_command = kShowMaximized;
      placement.normal_left = w->restored.left;
      placement.normal_top = w->restored.top;
      placement.normal_right = w->restored.right();
      placement.normal_bottom = w->restored.bottom();
      platform.windows.SetPlacement(w->handle, placement);
      raised = true;
    }
    back.push_back(w->handle);
  }
  // A maximised window came up over those that were above it: from the
  // topmost down, each goes back below the one that was above it.
  std::reverse(back.begin(), back.end());
  for (std::size_t i = 1; raised && i < back.size(); ++i)
    platform.windows.PlaceBelow(back[i], back[i - 1]);
  return true;
}

}  // namespace banchiro
