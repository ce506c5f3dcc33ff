#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/screen.h"
#include "settings/settings.h"
#include "settings/palette_layout.h"

namespace banchiro {

// How the start-up load treats one key.
enum class LoadRule {
  kDefault,        // not set: write the default and use it
  kMemoryDefault,  // not set: use the default, write nothing
  kVersion,        // write this version's text when the stored one differs; keep the text as read
  kTabMigration,   // tab numbers of an older dialog: "3" -> "1", "4" -> "2"; default "0"
  kCascadeFactor,  // empty or a single digit: "1.2"
  kRowDefault,     // a row is read as is when its entry 0 is set, else rewritten whole
  kRunningFlag,    // "0" or not set: "1"
  kExcludedTitle,  // " " is rewritten empty; a few entries have defaults
  kMethodCommand,  // default, and reset for settings of version 3.1 or older
  kNotLoaded,      // written and read elsewhere, never by the load
};

// Every key of the store, named; the table lists them in this order (checked
// where it is built). Names are the stored ones.
enum class Key {
  OptMaj,
  OptMir,
  OptRev,
  OptLogo,
  OptStat,
  OptMBar,
  OptTBar,
  OptTBar2,
  OptLAct,
  OptLATab,
  OptRel,
  OptRun,
  OptTime,
  OptCas,
  OptSat,
  OptPix,
  OptIval,
  OptJog,
  OptHgt,
  OptWth,
  OptRat,
  OptMon,
  OptWinS,
  OptUndo,
  Toolbar,
  OptCent,
  S_Top,
  S_Left,
  F_Top,
  F_Left,
  Fkey,
  FkeyDisp,
  Fname,
  OptCol,
  OptGuide,
  D_Method,
  SnedDispMethod,
  N_Wnd,
  M_Count,
  M_Wnd,
  RgtClick,
  OptSepa,
  JogaiWid,
  // The relays' own settings (application KOVRAN).
  hWindow,
  hTaken,
  kCount
};
inline constexpr int kKeyCount = static_cast<int>(Key::kCount);

// What the computed defaults depend on.
struct DefaultsContext {
  ScreenMetrics screen;
  PaletteSize palette;
};

// One key of the store. Indexed keys cover indexes first..first+count-1 and,
// when rows > 0, rows 0..rows-1 as "Name(row,index)".
struct KeyDef {
  Key id;
  std::string_view section;
  std::string_view name;
  int first;
  int count;  // 0 for a scalar key
  int rows;   // 0 unless two-dimensional
  int step;   // the load step that reads it (0: not read by the load)
  LoadRule rule;
  std::string (*default_of)(const DefaultsContext& context, int row, int index);
  std::string& (*field)(Settings& settings, int row, int index);  // nullptr: store only
  std::string_view application = kApplicationName;

  bool indexed() const { return count > 0; }
};

// Every key of the store, in the order of the store's documentation.
const std::vector<KeyDef>& KeyTable();

// The key def with this name, or nullptr.
const KeyDef* FindKey(std::string_view name);
const KeyDef& KeyDefOf(Key key);

// True when `name` in `section` of `application`'s settings is a key of the
// table: its name alone, or with an index (two for a two-dimensional key) in
// its range, written as KeyName writes it.
bool IsTableKey(std::string_view application, std::string_view section, std::string_view name);

// "OptCas", "OptSat(2)", "RgtClick(2,13)".
std::string KeyName(const KeyDef& key, int row, int index);

// Convenience for indexed names outside the table's loops.
std::string IndexedKeyName(std::string_view name, int index);
std::string IndexedKeyName(std::string_view name, int row, int index);

}  // namespace banchiro
