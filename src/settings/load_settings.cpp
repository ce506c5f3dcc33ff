#include "settings/load_settings.h"

#include <algorithm>
#include <vector>

#include "common/dev_log.h"
#include "common/numbers.h"

namespace banchiro {
namespace {

bool IsSingleDigit(const std::string& text) {
  return text.size() == 1 && text[0] >= '0' && text[0] <= '9';
}

}  // namespace

SettingsLoader::SettingsLoader(Settings& settings, SettingsStore& store,
                               MessageBoxes& message_boxes, Process& process,
                               DefaultsContext context)
    : settings_(settings),
      store_(store),
      message_boxes_(message_boxes),
      process_(process),
      context_(context) {}

bool SettingsLoader::RunSteps(int first, int last) {
  for (int step = first; step <= last; ++step) {
    if (!RunStep(step)) return false;
    if (write_failed_) {
      // The settings could be neither kept nor, most likely, read: going on
      // would lose every change the user makes.
      message_boxes_.Show(kUnwritableSettingsMessage, kUnwritableSettingsTitle, MessageButtons::kOk,
                          MessageIcon::kStop);
      process_.End(0);
      return false;
    }
  }
  return true;
}

void SettingsLoader::Store(std::string_view section, std::string_view key, std::string_view text) {
  if (!store_.Write(section, key, text)) {
    devlog::Failure("settings load", "writing " + std::string(section) + "\\" + std::string(key));
    write_failed_ = true;
  }
}

bool SettingsLoader::RunStep(int step) {
  switch (step) {
    case 2:
      return CheckNewerSettings();
    case 4:
      // The raw running flag decides on the splash before step 16 sets it.
      settings_.OptStat = store_.Read(kSectionConfig, "OptStat");
      return true;
    case 6:
      // The main window's default position is computed with the defaults of
      // step 7 (see the key table); nothing is stored here.
      return true;
    case 14:
      LoadRightClickRows(*FindKey("RgtClick"));
      return true;
    case 19:
      LoadExcludedTitleDefaults(*FindKey("JogaiWid"));
      return true;
    case 20:
      ScanExcludedTitles(*FindKey("JogaiWid"));
      return true;
    case 22:
      LoadTableStep(step);
      for (const auto& shown : settings_.FkeyDisp) {
        if (shown == "1") palette_at_startup_ = true;
      }
      return true;
    default:
      LoadTableStep(step);
      return true;
  }
}

bool SettingsLoader::CheckNewerSettings() {
  if (!SettingsFromAnotherVersion()) return true;
  // Compared part by part as numbers: joined as text, 6.5.10 would read as
  // 6510 and pass for newer than 6.6.0.
  const double stored[] = {LeadingNumber(settings_.OptMaj), LeadingNumber(settings_.OptMir),
                           LeadingNumber(settings_.OptRev)};
  const double own[] = {LeadingNumber(kVersionMajor), LeadingNumber(kVersionMinor),
                        LeadingNumber(kVersionRevision)};
  if (!std::lexicographical_compare(own, own + 3, stored, stored + 3)) return true;
  message_boxes_.Show(kNewerSettingsMessage, kNewerSettingsTitle, MessageButtons::kOk,
                      MessageIcon::kStop);
  process_.End(0);
  return false;
}

// The keys of one step in table order; keys of the same index range are
// walked index by index (OptSat(0), OptPix(0), OptIval(0), OptSat(1), ...).
void SettingsLoader::LoadTableStep(int step) {
  std::vector<const KeyDef*> keys;
  for (const auto& key : KeyTable()) {
    if (key.step == step && key.field != nullptr) keys.push_back(&key);
  }
  if (keys.empty()) return;
  bool same_range = keys.front()->indexed();
  for (const auto* key : keys) {
    same_range = same_range && key->count == keys.front()->count && key->rows == 0;
  }
  if (same_range) {
    for (int i = 0; i < keys.front()->count; ++i) {
      for (const auto* key : keys)
        LoadEntry(*key, 0, key->first + i);
    }
    return;
  }
  for (const auto* key : keys) {
    if (!key->indexed()) {
      LoadEntry(*key, 0, 0);
      continue;
    }
    for (int i = 0; i < key->count; ++i)
      LoadEntry(*key, 0, key->first + i);
  }
}

void SettingsLoader::LoadEntry(const KeyDef& key, int row, int index) {
  const std::string name = KeyName(key, row, index);
  const std::string stored = store_.Read(key.section, name);
  std::string& field = key.field(settings_, row, index - key.first);
  const auto write = [&](const std::string& text) {
    Store(key.section, name, text);
    field = text;
  };
  const auto default_text = [&] { return key.default_of(context_, row, index); };

  field = stored;
  switch (key.rule) {
    case LoadRule::kDefault:
    case LoadRule::kExcludedTitle:
      if (stored.empty()) write(default_text());
      break;
    case LoadRule::kMemoryDefault:
      if (stored.empty()) field = default_text();
      break;
    case LoadRule::kVersion:
      // The record keeps what was read: the guard and the command reset
      // need the old version, while the store already says this one.
      if (stored != default_text()) Store(key.section, name, default_text());
      break;
    case LoadRule::kTabMigration:
      // Earlier versions numbered their tabs otherwise. What this version
      // stored ("3" is its function-key tab) stays; a newer one never gets
      // here (the guard has ended the start).
      if (stored.empty()) write(default_text());
      if (stored == "3" && SettingsFromAnotherVersion()) write("1");
      if (stored == "4" && SettingsFromAnotherVersion()) write("2");
      break;
    case LoadRule::kCascadeFactor:
      if (stored.empty() || IsSingleDigit(stored)) write(default_text());
      break;
    case LoadRule::kRunningFlag:
      if (stored.empty() || stored == "0") write(default_text());
      break;
    case LoadRule::kMethodCommand:
      if (stored.empty() || SettingsFromVersion31OrOlder()) write(default_text());
      break;
    case LoadRule::kRowDefault:
    case LoadRule::kNotLoaded:
      break;
  }
}

void SettingsLoader::LoadRightClickRows(const KeyDef& key) {
  for (int row = 0; row < key.rows; ++row) {
    const bool row_is_set = !store_.Read(key.section, KeyName(key, row, 0)).empty();
    for (int i = 0; i < key.count; ++i) {
      const std::string name = KeyName(key, row, i);
      std::string& field = key.field(settings_, row, i);
      if (row_is_set) {
        // A missing entry of a stored row stays empty: the row was saved
        // as a whole, so a gap is the user's data, not a missing default.
        field = store_.Read(key.section, name);
      } else {
        field = key.default_of(context_, row, i);
        Store(key.section, name, field);
      }
    }
  }
}

void SettingsLoader::LoadExcludedTitleDefaults(const KeyDef& key) {
  for (int i = 0; i < key.count; ++i) {
    if (!key.default_of(context_, 0, i).empty()) LoadEntry(key, 0, i);
  }
}

void SettingsLoader::ScanExcludedTitles(const KeyDef& key) {
  settings_.exclusion_count = 0;
  for (int i = 0; i < key.count; ++i) {
    const std::string name = KeyName(key, 0, i);
    std::string& field = key.field(settings_, 0, i);
    field = store_.Read(key.section, name);
    if (field == " ") {
      // A lone blank would match every title with a space in it.
      field.clear();
      Store(key.section, name, field);
    }
    if (!field.empty()) ++settings_.exclusion_count;
  }
}

bool SettingsLoader::SettingsFromAnotherVersion() const {
  return settings_.OptMaj != kVersionMajor || settings_.OptMir != kVersionMinor ||
         settings_.OptRev != kVersionRevision;
}

bool SettingsLoader::SettingsFromVersion31OrOlder() const {
  return LeadingNumber(settings_.OptMaj) * 10 + LeadingNumber(settings_.OptMir) <= 31;
}

bool LoadSettings(Settings& settings, SettingsStore& store, MessageBoxes& message_boxes,
                  Process& process, const DefaultsContext& context) {
  SettingsLoader loader(settings, store, message_boxes, process, context);
  return loader.RunSteps(kFirstLoadStep, kLastLoadStep);
}

}  // namespace banchiro
