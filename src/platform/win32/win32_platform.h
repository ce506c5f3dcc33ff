#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/platform.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_monitors.h"
#include "platform/win32/volatile_registry.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_windows.h"

namespace banchiro::win32 {

// Held by the resident instance for its whole life; a start that finds it
// taken is a one-shot start.
inline constexpr wchar_t kInstanceMutexName[] = L"Local\\BANCHIRO.ResidentInstance";

// Settings of one application under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// each a REG_SZ value named as the key. A section's key stays open once used,
// but every value is read from and written to the registry at the call, so
// other processes (the relays, a second instance) always see and give the
// current values. A write that fails leaves a line in the developer's log.
class RegistrySettingsStore : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::string application);
  std::string Read(std::string_view section, std::string_view key) override;
  bool Write(std::string_view section, std::string_view key, std::string_view text) override;

  static std::wstring SectionPath(std::string_view application, std::string_view section);

 private:
  // The section's key, opened once for the run (a start reads some 300
  // values); created only for a write.
  HKEY Section(std::string_view section, bool create);

  std::string application_;
  std::map<std::string, UniqueHKey, std::less<>> sections_;
};

class Win32Screen : public Screen {
 public:
  ScreenMetrics Metrics() override;
  std::vector<Rect> WorkAreas() override;
};

class Win32MessageBoxes : public MessageBoxes {
 public:
  using MessageBoxes::Show;
  MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons,
                     MessageIcon icon, DefaultButton default_button) override;
};

class Win32Process : public Process {
 public:
  std::string ProgramFolder() override;
  void SetCurrentFolder(const std::string& folder) override;
  bool AnotherInstanceRuns() override;
  void End(int exit_code) override;
  // Takes the program's instance mark, once, as the very first thing a
  // start does: of two starts at the same moment exactly one gets it.
  // AnotherInstanceRuns answers from this, taking it then if not yet taken.
  void ClaimInstance();

 private:
  UniqueKernelHandle instance_mutex_;
  bool claimed_ = false;
  bool another_ = false;
};

// The verbs under HKEY_CURRENT_USER\Software\Classes\Folder\shell and
// ...\*\shell, each with its subkey COMMAND whose default value is the command,
// and MultiSelectModel "Single". Removing one also removes it through
// HKEY_CLASSES_ROOT, where earlier versions wrote it.
class Win32ShellVerbs : public ShellVerbs {
 public:
  void Set(VerbPlace place, const std::string& name, const std::string& command) override;
  void Remove(VerbPlace place, const std::string& name) override;
};

class Win32SystemInfo : public SystemInfo {
 public:
  std::optional<std::string> AppearanceScheme() override;
  VersionRecord Version() override;
  bool WinHelpViewer() override;
};

// The real services, owned together, with the Platform view the core takes.
// The store and the relays' store are named by the program.
struct Win32Platform {
  Win32Platform(std::string_view application, std::string_view relay_application)
      : store(std::string(application)),
        relay_store(std::string(relay_application)),
        volatile_store(std::string(application)) {}

  RegistrySettingsStore store;
  Win32Screen screen;
  Win32MessageBoxes message_boxes;
  Win32Process process;
  Win32SystemInfo system;
  Win32Windows windows;
  Win32Shell shell;
  Win32Processes processes;
  Win32Clock clock;
  RegistrySettingsStore relay_store;
  Win32ShellVerbs verbs;
  Win32Monitors monitors;
  VolatileRegistryStore volatile_store;
  Platform platform{store,     screen, message_boxes, process, system,   windows,       shell,
                    processes, clock,  relay_store,   verbs,   monitors, volatile_store};
};

}  // namespace banchiro::win32
