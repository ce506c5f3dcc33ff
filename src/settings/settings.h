#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "banchiro_version.h"
#include "common/display_methods.h"

namespace banchiro {

// Section names of the store, exactly as they appear in the registry.
inline constexpr std::string_view kSectionConfig = "Config";
inline constexpr std::string_view kSectionPosition = "Position";
inline constexpr std::string_view kSectionFunctionKey = "FunctionKey";
inline constexpr std::string_view kSectionDispMethod = "DispMethod";
inline constexpr std::string_view kSectionHWnd = "hWnd";
inline constexpr std::string_view kSectionRightClick = "RightClick";
inline constexpr std::string_view kSectionExclude = "Exclude";

inline constexpr std::string_view kApplicationName = "BANCHIRO";
// The relays keep settings of their own under this application name.
inline constexpr std::string_view kRelayApplicationName = "KOVRAN";
// The relay protocol: the starter hands each relay its command in
// DispMethod\SnedDispMethod, and the relay publishes its window's handle as
// hWnd\hWindow among its own settings.
inline constexpr std::string_view kHandOverKey = "SnedDispMethod";
inline constexpr std::string_view kPublishedWindowKey = "hWindow";
// Where a relay whose key another program holds writes its window instead,
// before it says so: the starter then goes on without waiting for it and
// leaves its message to the user.
inline constexpr std::string_view kKeyTakenWindowKey = "hTaken";
// The class of a relay's one window (hidden; one per running relay).
inline constexpr std::string_view kRelayWindowClassName = "BANCHIRO.KovranRelay";
// The toolbar's own save of its button arrangement, in section Config.
inline constexpr std::string_view kToolbarValue = "Toolbar";
inline constexpr std::string_view kHelpFileName = "BANCHIRO.HLP";
// The memory of the last arrangement, for its undo: one value in a section
// that lasts until sign-out (the volatile store), shared by every instance.
inline constexpr std::string_view kSectionArrangement = "Undo";
inline constexpr std::string_view kLastArrangementValue = "LastArrangement";

// This version's settings version record.
inline constexpr std::string_view kVersionMajor = BANCHIRO_VERSION_MAJOR_TEXT;
inline constexpr std::string_view kVersionMinor = BANCHIRO_VERSION_MINOR_TEXT;
inline constexpr std::string_view kVersionRevision = BANCHIRO_VERSION_PATCH_TEXT;

// The tilings' default split, in twentieths: the upper window's share of
// the height, the left window's of the width.
inline constexpr int kDefaultUpperRatio = 12;
inline constexpr int kDefaultLeftRatio = 8;

inline constexpr int kExcludedTitleCount = 100;
inline constexpr int kRightClickRows = 3;
inline constexpr int kSeparatorCount = 5;

using MethodTexts = std::array<std::string, kMethodCount>;

// The settings record: one text per stored key, filled by the load and kept
// for the whole run. Field names are the store's key names, so that a key in
// the registry and its field can always be found from each other. A writer
// updates the field and the store together.
struct Settings {
  // Config
  std::string OptMaj, OptMir, OptRev;  // as read at start-up, not as rewritten
  std::string OptLogo;
  std::string OptStat;  // running flag
  std::string OptMBar, OptTBar, OptTBar2, OptLAct, OptLATab, OptRel, OptRun;
  std::array<std::string, 2> OptTime;
  std::string OptCas;
  std::array<std::string, 4> OptSat, OptPix, OptIval;  // screen-edge gaps
  std::array<std::string, 4> OptJog, OptHgt, OptWth;   // size-exclusion rules
  std::array<std::string, 2> OptRat;
  std::string OptWinS;
  std::string OptMon;   // the monitors an arrangement works on
  std::string OptUndo;  // "1": 元に戻す first undoes the last arrangement

  // Position (twips)
  std::string OptCent, S_Top, S_Left, F_Top, F_Left;

  // FunctionKey
  MethodTexts Fkey, FkeyDisp, Fname;
  std::array<std::string, 2> OptCol;
  std::string OptGuide;

  // DispMethod
  MethodTexts D_Method;

  // RightClick
  std::array<MethodTexts, kRightClickRows> RgtClick;
  std::array<std::string, kSeparatorCount> OptSepa;

  // Exclude
  std::array<std::string, kExcludedTitleCount> JogaiWid;

  // Not stored.
  std::int16_t exclusion_count = 0;  // JogaiWid entries neither empty nor " "
  std::string appearance_scheme;     // empty when Windows has none
  std::string help_file_path;        // program folder + "\BANCHIRO.HLP"
};

}  // namespace banchiro
