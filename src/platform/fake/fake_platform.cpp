#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace banchiro {

std::string FakeSettingsStore::Read(std::string_view section, std::string_view key) {
  calls_.push_back({false, std::string(section), std::string(key), {}});
  auto found = Get(section, key);
  return found ? *found : std::string();
}

bool FakeSettingsStore::Write(std::string_view section, std::string_view key,
                              std::string_view text) {
  calls_.push_back({true, std::string(section), std::string(key), std::string(text)});
  if (key_check() && !key_check()(owner, section, key)) return false;
  if (failing_writes > 0) {
    --failing_writes;
    return false;
  }
  Set(section, key, text);
  return true;
}

FakeSettingsStore::KeyCheck& FakeSettingsStore::key_check() {
  static KeyCheck check;
  return check;
}

void FakeSettingsStore::Set(std::string_view section, std::string_view key, std::string_view text) {
  values_[{std::string(section), std::string(key)}] = std::string(text);
}

std::optional<std::string> FakeSettingsStore::Get(std::string_view section,
                                                  std::string_view key) const {
  auto it = values_.find({std::string(section), std::string(key)});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool FakeSettingsStore::Has(std::string_view section, std::string_view key) const {
  return values_.count({std::string(section), std::string(key)}) > 0;
}

std::vector<FakeSettingsStore::Call> FakeSettingsStore::writes() const {
  std::vector<Call> result;
  for (const auto& call : calls_) {
    if (call.write) result.push_back(call);
  }
  return result;
}

MessageAnswer FakeMessageBoxes::Show(const std::string& text, const std::string& title,
                                     MessageButtons buttons, MessageIcon icon,
                                     DefaultButton default_button) {
  shown.push_back({text, title, buttons, icon, default_button});
  if (while_shown) while_shown();
  if (answers.empty()) return MessageAnswer::kOk;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

WindowHandle FakeDesktop::Add(FakeWindow window) {
  window.handle = next_handle_;
  next_handle_ += 0x10;
  windows.push_back(window);
  return window.handle;
}

FakeWindow* FakeDesktop::Find(WindowHandle handle) {
  for (auto& window : windows) {
    if (window.handle == handle && window.exists) return &window;
  }
  return nullptr;
}

FakeWindow& FakeDesktop::Window(WindowHandle handle) {
  for (auto& window : windows) {
    if (window.handle == handle) return window;
  }
  throw std::out_of_range("no such fake window");
}

std::vector<WindowHandle> FakeDesktop::TopLevelWindows() {
  std::vector<WindowHandle> handles;
  for (const auto& window : windows) {
    if (window.exists) handles.push_back(window.handle);
  }
  return handles;
}

WindowInfo FakeDesktop::Describe(WindowHandle handle) {
  const FakeWindow* window = Find(handle);
  if (!window) return {};
  return {window->class_name,   window->title, window->visible,
          window->show_command, window->rect,  window->cloaked};
}

FrameMargins FakeDesktop::InvisibleBorder(WindowHandle handle) {
  const FakeWindow* window = Find(handle);
  return window ? window->border : FrameMargins{};
}

Placement FakeDesktop::GetPlacement(WindowHandle handle) {
  const FakeWindow* window = Find(handle);
  if (!window) return {};
  Placement placement = window->placement;
  placement.show_command = static_cast<std::uint32_t>(window->show_command);
  return placement;
}

void FakeDesktop::SetPlacement(WindowHandle handle, const Placement& placement) {
  calls.push_back("placement " + std::to_string(handle) + " flags " +
                  std::to_string(placement.flags) + " show " +
                  std::to_string(placement.show_command));
  FakeWindow* window = Find(handle);
  if (!window) return;
  window->placement = placement;
  // As Windows shows a window normal again: no longer maximised or snapped.
  const auto show = static_cast<int>(placement.show_command);
  if (show == kShowNormal || show == kShowNoActivate) {
    window->show_command = kShowNormal;
    window->snapped = false;
  }
  // Maximised as Windows does it: activated, and so on top.
  if (show == kShowMaximized) {
    window->show_command = kShowMaximized;
    PlaceBelow(handle, 0);
  }
}

bool FakeDesktop::IsSnapped(WindowHandle handle) {
  const FakeWindow* window = Find(handle);
  return window && window->snapped;
}

std::uint32_t FakeDesktop::ExtendedStyle(WindowHandle handle) {
  const FakeWindow* window = Find(handle);
  return window ? window->ex_style : 0;
}

std::optional<std::uint32_t> FakeDesktop::Integrity(WindowHandle handle) {
  const FakeWindow* window = Find(handle);
  return window ? window->integrity : std::nullopt;
}

void FakeDesktop::Move(WindowHandle handle, const Rect& rect) {
  calls.push_back("move " + std::to_string(handle));
  if (monitor_pixels_depth == 0) ++moves_outside_monitor_pixels;
  FakeWindow* window = Find(handle);
  if (!window) return;
  const int from = MonitorDpi(window->rect);
  const int to = MonitorDpi(rect);
  window->rect = rect;
  if (!window->follows_dpi || from == 0 || to == 0 || from == to) return;
  const auto scaled = [from, to](int pixels) {
    return static_cast<int>(std::lround(static_cast<double>(pixels) * to / from));
  };
  window->rect.width = scaled(rect.width);
  window->rect.height = scaled(rect.height);
  FrameMargins& b = window->border;
  b = {scaled(b.left), scaled(b.top), scaled(b.right), scaled(b.bottom)};
}

namespace {

class FakeMonitorPixels : public ThreadSettingScope {
 public:
  explicit FakeMonitorPixels(int& depth) : depth_(depth) { ++depth_; }
  ~FakeMonitorPixels() override { --depth_; }

 private:
  int& depth_;
};

}  // namespace

std::unique_ptr<ThreadSettingScope> FakeDesktop::MonitorPixels() {
  return std::make_unique<FakeMonitorPixels>(monitor_pixels_depth);
}

int FakeDesktop::MonitorDpi(const Rect& rect) {
  if (scaled_monitors.empty()) return 0;
  std::vector<Monitor> monitors;
  for (const ScaledMonitor& m : scaled_monitors)
    monitors.push_back({m.area, m.area, false});
  return scaled_monitors[MonitorHolding(monitors, rect)].dpi;
}

void FakeDesktop::AwaitWindows(const std::vector<WindowHandle>& handles, int time_limit_ms) {
  std::string call = "await";
  for (const WindowHandle handle : handles)
    call += " " + std::to_string(handle);
  calls.push_back(call + " within " + std::to_string(time_limit_ms));
}

void FakeDesktop::PlaceBelow(WindowHandle handle, WindowHandle above) {
  calls.push_back("below " + std::to_string(handle) + " " + std::to_string(above));
  auto is = [](WindowHandle h) { return [h](const FakeWindow& w) { return w.handle == h; }; };
  const auto found = std::find_if(windows.begin(), windows.end(), is(handle));
  if (found == windows.end() || handle == above) return;
  const FakeWindow window = *found;
  windows.erase(found);
  // 0 stands for the top of the Z-order.
  const auto after = std::find_if(windows.begin(), windows.end(), is(above));
  windows.insert(after == windows.end() ? windows.begin() : after + 1, window);
}

void FakeDesktop::PostClose(WindowHandle handle) {
  calls.push_back("close " + std::to_string(handle));
}

void FakeDesktop::Minimize(WindowHandle handle) {
  calls.push_back("minimize " + std::to_string(handle));
  FakeWindow* window = Find(handle);
  if (!window || window->show_command == kShowMinimized) return;
  // As Windows keeps the place it comes back to, counted from the work area.
  Placement& p = window->placement;
  p.normal_left = window->rect.left - work_area.left,
  p.normal_top = window->rect.top - work_area.top;
  p.normal_right = p.normal_left + window->rect.width;
  p.normal_bottom = p.normal_top + window->rect.height;
  window->show_command = kShowMinimized;
}

void FakeDesktop::Restore(WindowHandle handle) {
  calls.push_back("restore " + std::to_string(handle));
  if (FakeWindow* window = Find(handle)) window->show_command = kShowNormal;
}

bool FakeDesktop::Exists(WindowHandle handle) {
  return Find(handle) != nullptr;
}

bool FakeDesktop::IsMinimized(WindowHandle handle) {
  const FakeWindow* window = Find(handle);
  return window && window->show_command == kShowMinimized;
}

ProcessId FakeProcesses::Start(const std::string& program, const std::string& command_line,
                               const std::string& folder, int show_state) {
  if (fail_to_start) return 0;
  const ProcessId id = next_id_++;
  started.push_back({program, command_line, folder, show_state, id});
  running[id] = true;
  if (on_start) on_start(started.back());
  return id;
}

ProcessId FakeProcesses::WindowOwner(WindowHandle window) {
  auto it = window_owners.find(window);
  return it == window_owners.end() ? 0 : it->second;
}

bool FakeProcesses::OwnerRunsProgram(WindowHandle window, const std::string& program) {
  const auto it = window_programs.find(window);
  return it != window_programs.end() && it->second == program;
}

bool FakeProcesses::IsRunning(ProcessId process) {
  auto it = running.find(process);
  return it != running.end() && it->second;
}

void FakeProcesses::Terminate(ProcessId process) {
  if (!IsRunning(process)) return;
  terminated.push_back(process);
  running[process] = false;
  // The process's windows go with it.
  for (auto it = window_owners.begin(); it != window_owners.end();) {
    it = it->second == process ? window_owners.erase(it) : std::next(it);
  }
}

void FakeSession::EmptyRecycleBin(WindowHandle owner) {
  calls.push_back("EmptyRecycleBin");
  recycle_bin_owners.push_back(owner);
  recycle_bin.clear();
}

void FakeSession::ClearRecentDocuments() {
  calls.push_back("ClearRecentDocuments");
  recent_documents.clear();
}

bool FakeSession::EnableShutdownPrivilege() {
  calls.push_back("EnableShutdownPrivilege");
  if (privilege_works) privilege_enabled = true;
  return privilege_works;
}

bool FakeSession::EndSession(SessionEnd how) {
  calls.push_back("EndSession");
  ended.push_back(how);
  // As on Windows NT and later: without the privilege the request fails.
  return end_session_works && privilege_enabled;
}

}  // namespace banchiro
