#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/session.h"

namespace banchiro {

// In-memory settings store that remembers every read and write, so tests can
// check both the resulting values and what was (not) written.
class FakeSettingsStore : public SettingsStore {
 public:
  struct Call {
    bool write;
    std::string section, key, text;
  };
  // The program's own settings, or those the relays keep apart.
  enum Owner { kProgram, kRelays };
  explicit FakeSettingsStore(Owner owner = kProgram) : owner(owner) {}
  const Owner owner;

  // Whether a write may name this section and key; a write it refuses
  // fails (nothing stored). Set once for every fake store of a test program
  // (the native tests' main sets it from the key table); unset, all pass.
  using KeyCheck = std::function<bool(Owner owner, std::string_view section, std::string_view key)>;
  static KeyCheck& key_check();

  std::string Read(std::string_view section, std::string_view key) override;
  bool Write(std::string_view section, std::string_view key, std::string_view text) override;
  // The next writes that fail (recorded, but nothing stored).
  int failing_writes = 0;

  // Direct access for arranging and inspecting, without being recorded.
  void Set(std::string_view section, std::string_view key, std::string_view text);
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  bool Has(std::string_view section, std::string_view key) const;

  const std::vector<Call>& calls() const { return calls_; }
  std::vector<Call> writes() const;
  const std::map<std::pair<std::string, std::string>, std::string>& values() const {
    return values_;
  }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
  std::vector<Call> calls_;
};

class FakeScreen : public Screen {
 public:
  explicit FakeScreen(ScreenMetrics metrics = {1024, 768, 15.0, 15.0}) : metrics_(metrics) {}
  ScreenMetrics Metrics() override { return metrics_; }
  std::vector<Rect> WorkAreas() override { return work_areas; }
  ScreenMetrics metrics_;
  std::vector<Rect> work_areas{{0, 0, 1024, 738}};
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text, title;
    MessageButtons buttons;
    MessageIcon icon;
    DefaultButton default_button = DefaultButton::kFirst;
  };
  using MessageBoxes::Show;
  MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons,
                     MessageIcon icon, DefaultButton default_button) override;

  std::deque<MessageAnswer> answers;  // given in order; kOk when empty
  std::vector<Shown> shown;
  // What the windows do while a box is up (its modal loop serves them).
  std::function<void()> while_shown;
};

class FakeProcess : public Process {
 public:
  std::string ProgramFolder() override { return program_folder; }
  void SetCurrentFolder(const std::string& folder) override { current_folder = folder; }
  bool AnotherInstanceRuns() override { return another_instance; }
  void End(int exit_code) override { ended_with.push_back(exit_code); }

  std::string program_folder = "C:\\Program Files\\BANCHIRO";
  std::string current_folder;
  std::vector<int> ended_with;
  bool another_instance = false;
};

class FakeSystemInfo : public SystemInfo {
 public:
  std::optional<std::string> AppearanceScheme() override { return appearance_scheme; }
  VersionRecord Version() override { return version; }
  bool WinHelpViewer() override { return winhelp_viewer; }
  std::optional<std::string> appearance_scheme;
  VersionRecord version{2, 10, 0};
  bool winhelp_viewer = false;
};

// One window of the fake desktop, as a test sets it up.
struct FakeWindow {
  WindowHandle handle = 0;
  std::string class_name = "Notepad";
  std::string title = "Untitled";
  bool visible = true;
  int show_command = kShowNormal;
  Rect rect{10, 10, 400, 300};
  bool cloaked = false;
  FrameMargins border;
  Placement placement;
  bool exists = true;  // false once destroyed
  bool snapped = false;
  std::uint32_t ex_style = 0;
  // Of its process; nothing when its token cannot be read (an elevated one).
  std::optional<std::uint32_t> integrity = kIntegrityMedium;
  // A per-monitor aware program: moved onto a monitor of another scale, it
  // answers the DPI change by scaling its size and frame from where it landed.
  bool follows_dpi = false;
};

// A desktop of windows in Z-order (index 0 is topmost). Every call that
// changes a window is recorded as text with its handle ("move 65552",
// "close 65568", "placement ...").
class FakeDesktop : public WindowSystem {
 public:
  // Adds a window below the existing ones and gives it a handle.
  WindowHandle Add(FakeWindow window);
  FakeWindow& Window(WindowHandle handle);

  std::vector<WindowHandle> TopLevelWindows() override;
  WindowInfo Describe(WindowHandle window) override;
  Rect WorkArea() override { return work_area; }
  Placement GetPlacement(WindowHandle window) override;
  void SetPlacement(WindowHandle window, const Placement& placement) override;
  bool IsSnapped(WindowHandle window) override;
  std::uint32_t ExtendedStyle(WindowHandle window) override;
  std::optional<std::uint32_t> Integrity(WindowHandle window) override;
  std::optional<std::uint32_t> OwnIntegrity() override { return own_integrity; }
  void Move(WindowHandle window, const Rect& rect) override;
  void PlaceBelow(WindowHandle window, WindowHandle above) override;
  FrameMargins InvisibleBorder(WindowHandle window) override;
  void PostClose(WindowHandle window) override;
  void Minimize(WindowHandle window) override;
  void Restore(WindowHandle window) override;
  bool Exists(WindowHandle window) override;
  bool IsMinimized(WindowHandle window) override;
  std::unique_ptr<ThreadSettingScope> MonitorPixels() override;
  int MonitorDpi(const Rect& rect) override;
  void AwaitWindows(const std::vector<WindowHandle>& windows, int time_limit_ms) override;

  std::vector<FakeWindow> windows;
  Rect work_area{0, 0, 1024, 738};
  std::optional<std::uint32_t> own_integrity = kIntegrityMedium;
  std::vector<std::string> calls;
  // Monitors with a scale of their own; none: one scale for all (MonitorDpi 0).
  struct ScaledMonitor {
    Rect area;
    int dpi;
  };
  std::vector<ScaledMonitor> scaled_monitors;
  // How many MonitorPixels scopes are open, and the moves made with none.
  int monitor_pixels_depth = 0;
  int moves_outside_monitor_pixels = 0;

 private:
  FakeWindow* Find(WindowHandle handle);
  WindowHandle next_handle_ = 0x10010;
};

class FakeShell : public Shell {
 public:
  bool MinimizeAll() override {
    calls.push_back("MinimizeAll");
    return works;
  }
  bool UndoMinimizeAll() override {
    calls.push_back("UndoMinimizeAll");
    return works;
  }
  bool Open(const std::string& target, WindowHandle owner) override {
    calls.push_back("open " + target + " for " + std::to_string(owner));
    return opens;
  }
  bool works = false;  // like a shell without the automation object
  bool opens = true;   // a handler is registered for what is opened
  std::vector<std::string> calls;
};

// Processes as a list of starts. `on_start` lets a test play the started
// program (publish a window, die, ...); windows are given owners by hand.
class FakeProcesses : public Processes {
 public:
  struct Started {
    std::string program, command_line, folder;
    int show_state;
    ProcessId id;
  };
  ProcessId Start(const std::string& program, const std::string& command_line,
                  const std::string& folder, int show_state) override;
  ProcessId WindowOwner(WindowHandle window) override;
  bool OwnerRunsProgram(WindowHandle window, const std::string& program) override;
  bool IsRunning(ProcessId process) override;
  void Terminate(ProcessId process) override;

  std::vector<Started> started;
  std::vector<ProcessId> terminated;
  std::map<WindowHandle, ProcessId> window_owners;
  // The program file of each window's process, where a test says.
  std::map<WindowHandle, std::string> window_programs;
  std::map<ProcessId, bool> running;
  std::function<void(const Started&)> on_start;
  bool fail_to_start = false;

 private:
  ProcessId next_id_ = 1000;
};

class FakeClock : public Clock {
 public:
  std::int64_t NowMs() override { return now_ms; }
  void SleepMs(int milliseconds) override {
    now_ms += milliseconds;
    slept_ms += milliseconds;
    if (during_sleep) during_sleep();
  }
  void RunWhenIdle(std::function<void()> task) override { idle_tasks.push_back(std::move(task)); }
  // Runs what waits for the program to be idle, as its message loop would.
  void GoIdle() {
    std::vector<std::function<void()>> tasks;
    tasks.swap(idle_tasks);
    for (auto& task : tasks)
      task();
  }
  std::int64_t now_ms = 0;
  std::int64_t slept_ms = 0;
  // What the windows do while the thread waits (they answer meanwhile).
  std::function<void()> during_sleep;
  std::vector<std::function<void()>> idle_tasks;
};

// What lasts until sign-out, as a map; `failing` plays a key that cannot be
// written.
class FakeVolatileStore : public VolatileStore {
 public:
  std::string Read(std::string_view section, std::string_view key) override {
    const auto found = values.find({std::string(section), std::string(key)});
    return found == values.end() ? std::string() : found->second;
  }
  bool Write(std::string_view section, std::string_view key, std::string_view text) override {
    ++writes;
    if (!failing) values[{std::string(section), std::string(key)}] = std::string(text);
    return !failing;
  }
  void Remove(std::string_view section, std::string_view key) override {
    values.erase({std::string(section), std::string(key)});
  }
  std::map<std::pair<std::string, std::string>, std::string> values;
  int writes = 0;
  bool failing = false;
};

// Explorer's verbs as a map from (place, name) to command.
class FakeShellVerbs : public ShellVerbs {
 public:
  void Set(VerbPlace place, const std::string& name, const std::string& command) override {
    verbs[{place, name}] = command;
  }
  void Remove(VerbPlace place, const std::string& name) override { verbs.erase({place, name}); }
  std::map<std::pair<VerbPlace, std::string>, std::string> verbs;
};

// The monitors as a list (the primary one first) and the pointer's place.
class FakeMonitors : public Monitors {
 public:
  std::vector<Monitor> All() override { return monitors; }
  Monitor At(const ScreenPoint& point) override {
    return monitors[MonitorHolding(monitors, Rect{point.x, point.y, 1, 1})];
  }
  ScreenPoint Pointer() override { return pointer; }
  std::vector<Monitor> monitors{{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true}};
  ScreenPoint pointer{512, 384};
};

// All fakes together, with the Platform view the portable code takes.
struct FakePlatform {
  FakeSettingsStore store;
  FakeScreen screen;
  FakeMessageBoxes message_boxes;
  FakeProcess process;
  FakeSystemInfo system;
  FakeDesktop desktop;
  FakeShell shell;
  FakeProcesses processes;
  FakeClock clock;
  FakeSettingsStore relay_store{FakeSettingsStore::kRelays};
  FakeShellVerbs verbs;
  FakeMonitors monitors;
  FakeVolatileStore volatile_store;
  Platform platform{store,     screen, message_boxes, process, system,   desktop,       shell,
                    processes, clock,  relay_store,   verbs,   monitors, volatile_store};
};

// The Windows session as a list of requests. The recent-documents history
// and the recycle bin are plain lists so that tests can see them emptied;
// `end_session_works` plays a Windows that refuses to end the session.
class FakeSession : public SystemSession {
 public:
  void EmptyRecycleBin(WindowHandle owner) override;
  void ClearRecentDocuments() override;
  bool EnableShutdownPrivilege() override;
  bool EndSession(SessionEnd how) override;
  TimeOfDay LocalTime() override { return now; }

  std::vector<std::string> recycle_bin{"old.txt"};
  std::vector<std::string> recent_documents{"report.doc"};
  std::vector<WindowHandle> recycle_bin_owners;
  std::vector<SessionEnd> ended;  // every request, also the refused ones
  bool privilege_enabled = false;
  bool privilege_works = true;
  bool end_session_works = true;
  TimeOfDay now;
  std::vector<std::string> calls;  // in order: "EmptyRecycleBin", "EndSession", ...
};

}  // namespace banchiro
