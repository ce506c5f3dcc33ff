#pragma once

#include "platform/message_boxes.h"
#include "platform/process.h"
#include "platform/settings_store.h"
#include "settings/key_table.h"
#include "settings/settings.h"

namespace banchiro {

inline constexpr int kFirstLoadStep = 1;
inline constexpr int kLastLoadStep = 24;
// Start-up shows the splash after step 4 and runs the command line before
// the last step, so it loads the settings in three stretches.
inline constexpr int kLastStepBeforeSplash = 4;
inline constexpr int kLastStepBeforeCommandLine = 23;

inline constexpr const char* kNewerSettingsMessage = "最新版の「ばんちろ君」をお使い下さい。";
inline constexpr const char* kNewerSettingsTitle = "ﾊﾞｰｼﾞｮﾝ確認";
inline constexpr const char* kUnwritableSettingsMessage =
    "設定をレジストリに保存できません。「ばんちろ君」を終了します。";
inline constexpr const char* kUnwritableSettingsTitle = "設定保存確認";

// Fills the settings record from the store, writing the defaults of missing
// keys and the few rewrites, step by step in a fixed order (later steps read
// values that earlier ones decided).
class SettingsLoader {
 public:
  SettingsLoader(Settings& settings, SettingsStore& store, MessageBoxes& message_boxes,
                 Process& process, DefaultsContext context);

  // Runs steps first..last. Returns false when the program has been ended
  // (settings of a newer version, or a store that takes no write); the
  // caller must then stop at once.
  bool RunSteps(int first, int last);

  // Some FkeyDisp(n) was read as exactly "1".
  bool palette_at_startup() const { return palette_at_startup_; }

 private:
  bool RunStep(int step);
  bool CheckNewerSettings();
  void LoadTableStep(int step);
  void LoadEntry(const KeyDef& key, int row, int index);
  void LoadRightClickRows(const KeyDef& key);
  void LoadExcludedTitleDefaults(const KeyDef& key);
  void ScanExcludedTitles(const KeyDef& key);
  // The version read at the start is not this one (none counts as older).
  bool SettingsFromAnotherVersion() const;
  bool SettingsFromVersion31OrOlder() const;
  // A write of the load; a failure ends the load after its step.
  void Store(std::string_view section, std::string_view key, std::string_view text);

  Settings& settings_;
  SettingsStore& store_;
  MessageBoxes& message_boxes_;
  Process& process_;
  DefaultsContext context_;
  bool palette_at_startup_ = false;
  bool write_failed_ = false;
};

// The whole load, steps 1 to 24. False when the program was ended.
bool LoadSettings(Settings& settings, SettingsStore& store, MessageBoxes& message_boxes,
                  Process& process, const DefaultsContext& context);

}  // namespace banchiro
