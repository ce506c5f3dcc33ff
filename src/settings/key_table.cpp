#include "settings/key_table.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/numbers.h"

namespace banchiro {
namespace {

using Ctx = DefaultsContext;

std::string NoDefault(const Ctx&, int, int) {
  return {};
}

// Main window: 2300 x 620 twips, centred; whole twips, half to even.
std::string MainTopDefault(const Ctx& c, int, int) {
  return FormatNumber(RoundHalfEven((c.screen.height_twips() - 620) / 2));
}
std::string MainLeftDefault(const Ctx& c, int, int) {
  return FormatNumber(RoundHalfEven((c.screen.width_twips() - 2300) / 2));
}
// Palette: centred, a little above the bottom edge; fractions are kept.
std::string PaletteTopDefault(const Ctx& c, int, int) {
  return FormatNumber(c.screen.height_twips() - c.palette.height_twips * 1.7);
}
std::string PaletteLeftDefault(const Ctx& c, int, int) {
  return FormatNumber((c.screen.width_twips() - c.palette.width_twips) / 2);
}
std::string MethodCommandDefault(const Ctx&, int, int n) {
  return MethodCommand(n);
}
std::string MethodCaptionDefault(const Ctx&, int, int n) {
  return MethodCaption(n);
}
std::string RightClickDefault(const Ctx&, int row, int) {
  return row == 2 ? "1" : "0";
}
std::string RatioDefault(const Ctx&, int, int n) {
  return std::to_string(n == 0 ? kDefaultUpperRatio : kDefaultLeftRatio);
}
std::string TextColourDefault(const Ctx&, int, int n) {
  return n == 0 ? "65535" : "0";
}
std::string ExcludedTitleDefault(const Ctx&, int, int n) {
  // The titles of the program's own main window and palette.
  if (n == 0) return "ばんちろ君 for Win";
  if (n == 1) return "ファンクションキー";
  return {};
}

#define BANCHIRO_TEXT_DEFAULT(text) [](const Ctx&, int, int) { return std::string(text); }

#define SCALAR(section, key, step, rule, def)                       \
  KeyDef {                                                          \
    Key::key, section, #key, 0, 0, 0, step, LoadRule::rule, def,    \
        [](Settings& s, int, int) -> std::string& { return s.key; } \
  }
#define INDEXED(section, key, count, step, rule, def)                    \
  KeyDef {                                                               \
    Key::key, section, #key, 0, count, 0, step, LoadRule::rule, def,     \
        [](Settings& s, int, int i) -> std::string& { return s.key[i]; } \
  }
// A key the load leaves alone and the record has no field for.
#define UNBOUND(section, key, name, first, count, application)                             \
  KeyDef {                                                                                 \
    Key::key, section, name, first, count, 0, 0, LoadRule::kNotLoaded, NoDefault, nullptr, \
        application                                                                        \
  }

constexpr auto C = kSectionConfig;
constexpr auto P = kSectionPosition;
constexpr auto F = kSectionFunctionKey;
constexpr auto D = kSectionDispMethod;
constexpr auto H = kSectionHWnd;
constexpr auto R = kSectionRightClick;
constexpr auto X = kSectionExclude;

constexpr auto kOwn = kApplicationName;
constexpr auto kRelays = kRelayApplicationName;

constexpr bool RowsFollowTheirKeys(const std::array<KeyDef, kKeyCount>& rows) {
  for (int i = 0; i < kKeyCount; ++i) {
    if (rows[i].id != static_cast<Key>(i)) return false;
  }
  return true;
}

// The decimal number at the start of `text` (no sign, no leading zero),
// moving `text` past it; nothing when there is none.
std::optional<int> TakeIndex(std::string_view& text) {
  std::size_t digits = 0;
  while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
    ++digits;
  if (digits == 0 || (digits > 1 && text[0] == '0')) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < digits; ++i)
    value = value * 10 + (text[i] - '0');
  text.remove_prefix(digits);
  return value;
}

}  // namespace

const std::vector<KeyDef>& KeyTable() {
  static constexpr std::array<KeyDef, kKeyCount> kRows = {
      SCALAR(C, OptMaj, 1, kVersion, BANCHIRO_TEXT_DEFAULT(kVersionMajor)),
      SCALAR(C, OptMir, 1, kVersion, BANCHIRO_TEXT_DEFAULT(kVersionMinor)),
      SCALAR(C, OptRev, 1, kVersion, BANCHIRO_TEXT_DEFAULT(kVersionRevision)),
      SCALAR(C, OptLogo, 3, kDefault, BANCHIRO_TEXT_DEFAULT("1")),
      SCALAR(C, OptStat, 16, kRunningFlag, BANCHIRO_TEXT_DEFAULT("1")),
      SCALAR(C, OptMBar, 9, kDefault, BANCHIRO_TEXT_DEFAULT("1")),
      SCALAR(C, OptTBar, 9, kDefault, BANCHIRO_TEXT_DEFAULT("1")),
      SCALAR(C, OptTBar2, 9, kDefault, BANCHIRO_TEXT_DEFAULT("1")),
      SCALAR(C, OptLAct, 9, kDefault, BANCHIRO_TEXT_DEFAULT("1")),
      SCALAR(C, OptLATab, 10, kTabMigration, BANCHIRO_TEXT_DEFAULT("0")),
      SCALAR(C, OptRel, 11, kDefault, BANCHIRO_TEXT_DEFAULT("1")),
      SCALAR(C, OptRun, 11, kDefault, BANCHIRO_TEXT_DEFAULT("2")),
      INDEXED(C, OptTime, 2, 12, kDefault, BANCHIRO_TEXT_DEFAULT("00")),
      SCALAR(C, OptCas, 13, kCascadeFactor, BANCHIRO_TEXT_DEFAULT("1.2")),
      INDEXED(C, OptSat, 4, 17, kDefault, BANCHIRO_TEXT_DEFAULT("1")),
      INDEXED(C, OptPix, 4, 17, kDefault, BANCHIRO_TEXT_DEFAULT("70")),
      INDEXED(C, OptIval, 4, 17, kDefault, BANCHIRO_TEXT_DEFAULT("0")),
      INDEXED(C, OptJog, 4, 18, kDefault, BANCHIRO_TEXT_DEFAULT("0")),
      INDEXED(C, OptHgt, 4, 18, kDefault, BANCHIRO_TEXT_DEFAULT("100")),
      INDEXED(C, OptWth, 4, 18, kDefault, BANCHIRO_TEXT_DEFAULT("200")),
      INDEXED(C, OptRat, 2, 21, kDefault, RatioDefault),
      SCALAR(C, OptMon, 21, kMemoryDefault, BANCHIRO_TEXT_DEFAULT("0")),
      SCALAR(C, OptWinS, 24, kDefault, BANCHIRO_TEXT_DEFAULT("0")),
      // Newer than the settings version: not written, so an older version
      // finds nothing it does not know.
      SCALAR(C, OptUndo, 21, kMemoryDefault, BANCHIRO_TEXT_DEFAULT("0")),
      UNBOUND(C, Toolbar, kToolbarValue, 0, 0, kOwn),

      SCALAR(P, OptCent, 5, kDefault, BANCHIRO_TEXT_DEFAULT("0")),
      SCALAR(P, S_Top, 7, kMemoryDefault, MainTopDefault),
      SCALAR(P, S_Left, 7, kMemoryDefault, MainLeftDefault),
      SCALAR(P, F_Top, 8, kMemoryDefault, PaletteTopDefault),
      SCALAR(P, F_Left, 8, kMemoryDefault, PaletteLeftDefault),

      INDEXED(F, Fkey, kMethodCount, 22, kDefault, BANCHIRO_TEXT_DEFAULT("0")),
      INDEXED(F, FkeyDisp, kMethodCount, 22, kDefault, BANCHIRO_TEXT_DEFAULT("0")),
      INDEXED(F, Fname, kMethodCount, 22, kDefault, MethodCaptionDefault),
      INDEXED(F, OptCol, 2, 23, kDefault, TextColourDefault),
      SCALAR(F, OptGuide, 23, kDefault, BANCHIRO_TEXT_DEFAULT("1")),

      INDEXED(D, D_Method, kMethodCount, 22, kMethodCommand, MethodCommandDefault),
      UNBOUND(D, SnedDispMethod, kHandOverKey, 0, 0, kOwn),

      // The handles of the last collection, and the windows the fallback of
      // minimise all minimised, for its undo.
      UNBOUND(H, N_Wnd, "N_Wnd", 1, 20, kOwn),
      UNBOUND(H, M_Count, "M_Count", 0, 0, kOwn),
      UNBOUND(H, M_Wnd, "M_Wnd", 1, 20, kOwn),

      KeyDef{Key::RgtClick, R, "RgtClick", 0, kMethodCount, kRightClickRows, 14,
             LoadRule::kRowDefault, RightClickDefault,
             [](Settings& s, int row, int i) -> std::string& { return s.RgtClick[row][i]; }},
      INDEXED(R, OptSepa, kSeparatorCount, 15, kDefault, BANCHIRO_TEXT_DEFAULT("1")),

      INDEXED(X, JogaiWid, kExcludedTitleCount, 19, kExcludedTitle, ExcludedTitleDefault),

      UNBOUND(H, hWindow, kPublishedWindowKey, 0, 0, kRelays),
      UNBOUND(H, hTaken, kKeyTakenWindowKey, 0, 0, kRelays),
  };
  static_assert(RowsFollowTheirKeys(kRows), "the key table lists every Key once, in its order");
  static const std::vector<KeyDef> kTable(kRows.begin(), kRows.end());
  return kTable;
}

const KeyDef& KeyDefOf(Key key) {
  return KeyTable().at(static_cast<std::size_t>(key));
}

bool IsTableKey(std::string_view application, std::string_view section, std::string_view name) {
  const std::size_t open = name.find('(');
  const std::string_view base = name.substr(0, open);
  for (const KeyDef& key : KeyTable()) {
    if (key.application != application || key.section != section || key.name != base) continue;
    if (open == std::string_view::npos) return !key.indexed();
    if (!key.indexed() || name.back() != ')') return false;
    std::string_view rest = name.substr(open + 1, name.size() - open - 2);
    std::optional<int> row = 0;
    if (key.rows > 0) {
      row = TakeIndex(rest);
      if (!row || rest.empty() || rest[0] != ',') return false;
      rest.remove_prefix(1);
    }
    const std::optional<int> index = TakeIndex(rest);
    return row && index && rest.empty() && *row < std::max(key.rows, 1) && *index >= key.first &&
           *index < key.first + key.count;
  }
  return false;
}

const KeyDef* FindKey(std::string_view name) {
  for (const auto& key : KeyTable()) {
    if (key.name == name) return &key;
  }
  return nullptr;
}

std::string KeyName(const KeyDef& key, int row, int index) {
  if (!key.indexed()) return std::string(key.name);
  if (key.rows > 0) return IndexedKeyName(key.name, row, index);
  return IndexedKeyName(key.name, index);
}

std::string IndexedKeyName(std::string_view name, int index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

std::string IndexedKeyName(std::string_view name, int row, int index) {
  return std::string(name) + "(" + std::to_string(row) + "," + std::to_string(index) + ")";
}

}  // namespace banchiro
