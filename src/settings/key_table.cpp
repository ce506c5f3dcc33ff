#include "settings/key_table.h"

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
    section, #key, 0, 0, 0, step, LoadRule::rule, def,              \
        [](Settings& s, int, int) -> std::string& { return s.key; } \
  }
#define INDEXED(section, key, count, step, rule, def)                    \
  KeyDef {                                                               \
    section, #key, 0, count, 0, step, LoadRule::rule, def,               \
        [](Settings& s, int, int i) -> std::string& { return s.key[i]; } \
  }
#define UNBOUND(section, key, first, count, step)                                 \
  KeyDef {                                                                        \
    section, key, first, count, 0, step, LoadRule::kNotLoaded, NoDefault, nullptr \
  }

constexpr auto C = kSectionConfig;
constexpr auto P = kSectionPosition;
constexpr auto F = kSectionFunctionKey;
constexpr auto D = kSectionDispMethod;
constexpr auto H = kSectionHWnd;
constexpr auto R = kSectionRightClick;
constexpr auto X = kSectionExclude;

}  // namespace

const std::vector<KeyDef>& KeyTable() {
  static const std::vector<KeyDef> kTable = {
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
      SCALAR(C, OptWinS, 24, kDefault, BANCHIRO_TEXT_DEFAULT("0")),
      // Newer than the settings version: not written, so an older version
      // finds nothing it does not know.
      SCALAR(C, OptUndo, 21, kMemoryDefault, BANCHIRO_TEXT_DEFAULT("0")),
      UNBOUND(C, kToolbarValue, 0, 0, 0),

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
      UNBOUND(D, kHandOverKey, 0, 0, 0),

      UNBOUND(H, "N_Wnd", 1, 20, 0),

      KeyDef{R, "RgtClick", 0, kMethodCount, kRightClickRows, 14, LoadRule::kRowDefault,
             RightClickDefault,
             [](Settings& s, int row, int i) -> std::string& { return s.RgtClick[row][i]; }},
      INDEXED(R, OptSepa, kSeparatorCount, 15, kDefault, BANCHIRO_TEXT_DEFAULT("1")),

      INDEXED(X, JogaiWid, kExcludedTitleCount, 19, kExcludedTitle, ExcludedTitleDefault),
  };
  return kTable;
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
