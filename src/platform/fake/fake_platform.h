#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace banchiro {

// In-memory settings store that remembers every read and write, so tests can
// check both the resulting values and what was (not) written.
class FakeSettingsStore : public SettingsStore {
 public:
  struct Call {
    bool write;
    std::string section, key, text;
  };

  std::string Read(std::string_view section, std::string_view key) override;
  void Write(std::string_view section, std::string_view key, std::string_view text) override;

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
  ScreenMetrics metrics_;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text, title;
    MessageButtons buttons;
    MessageIcon icon;
  };
  MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons,
                     MessageIcon icon) override;

  std::deque<MessageAnswer> answers;  // given in order; kOk when empty
  std::vector<Shown> shown;
};

class FakeProcess : public Process {
 public:
  std::string ProgramFolder() override { return program_folder; }
  void SetCurrentFolder(const std::string& folder) override { current_folder = folder; }
  void End(int exit_code) override { ended_with.push_back(exit_code); }

  std::string program_folder = "C:\\Program Files\\BANCHIRO";
  std::string current_folder;
  std::vector<int> ended_with;
};

class FakeSystemInfo : public SystemInfo {
 public:
  std::optional<std::string> AppearanceScheme() override { return appearance_scheme; }
  std::optional<std::string> appearance_scheme;
};

// All fakes together, with the Platform view the portable code takes.
struct FakePlatform {
  FakeSettingsStore store;
  FakeScreen screen;
  FakeMessageBoxes message_boxes;
  FakeProcess process;
  FakeSystemInfo system;
  Platform platform{store, screen, message_boxes, process, system};
};

}  // namespace banchiro
