#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/rect.h"
#include "settings/settings.h"

namespace banchiro {

// The settings the program computes with, read from the record's texts in
// this one place. The texts stay as stored; a flag is on only when it is
// exactly "1", and a number is the leading number of its text.

// Flags.
bool ToolbarOn(const Settings& settings);       // OptTBar
bool MenuBarOn(const Settings& settings);       // OptMBar
bool CentredAtStart(const Settings& settings);  // OptCent: bar and palette centred
bool StartsHidden(const Settings& settings);    // OptWinS: the bar starts in the tray
bool SplashOn(const Settings& settings);        // OptLogo
bool PaletteInFront(const Settings& settings);  // OptGuide
// OptUndo: 元に戻す undoes the last arrangement before the minimise-all.
bool UndoesArrangement(const Settings& settings);

// A display method's item and a separator on the display menu: the number at
// the start of RgtClick(2,n) or OptSepa(k) is 1 ("1", "01", " 1", "1.0").
bool OnDisplayMenu(const Settings& settings, int method);
bool SeparatorOnDisplayMenu(const Settings& settings, int separator);

// The hot key of a method, 1..12 for Ctrl+F1..F12: a whole number in that
// range at the start of Fkey(n). Anything else ("0", "", "13", "5.5") is no
// key: it starts no relay and shows on no palette tile.
std::optional<int> AssignedKey(const Settings& settings, int method);
// The method has a tile on the palette: FkeyDisp(n) is neither "" nor "0".
bool MarkedForPalette(const Settings& settings, int method);

// OptCol(0) text and OptCol(1) background of the palette: red + 256 green +
// 65536 blue; anything that is not a number in range gives black.
std::uint32_t PaletteColour(const Settings& settings, int index);

// The scheduled end of the Windows session: OptRun "0" restarts and "1"
// shuts down at OptTime; "2" means none, and so does any other text, so
// that a damaged value neither ends the session at some minute nor lets a
// menu click end it without asking.
enum class ScheduledEnd { kNone, kRestart, kShutDown };
ScheduledEnd ScheduledAction(const Settings& settings);

// Stored top/left in twips of the bar (S_Top/S_Left) and the palette
// (F_Top/F_Left); text that is not a number gives 0.
TwipsPoint StoredMainPosition(const Settings& settings);
TwipsPoint StoredPalettePosition(const Settings& settings);

// The edges of the work area, in the order of OptSat, OptPix and OptIval.
enum class Edge { kLeft, kRight, kTop, kBottom };
// The gap the layouts keep from an edge, in pixels: OptSat(e) icon columns
// of OptPix(e) pixels plus OptIval(e), to the nearest pixel. A gap that does not
// fit in 16 bits (or is not a number at all) is the default one of 70.
std::int16_t EdgeGap(const Settings& settings, Edge edge);
// K, the cascade's divisor of the work area: OptCas + 1.2 in single
// precision; zero or not finite gives the default 2.4.
float CascadeDivisor(const Settings& settings);
// Twentieths of the height for the upper part (OptRat(0)) and of the width
// for the left part (OptRat(1)) of the split tilings.
float UpperRatio(const Settings& settings);
float LeftRatio(const Settings& settings);

// The monitors an arrangement works on (OptMon): "1" the one under the
// pointer (or the bar's), "2" every monitor, each in its own work area.
// Anything else, "0" or not set, is the primary monitor's work area for every
// window, as before the choice existed.
enum class MonitorChoice { kPrimary = 0, kUnderPointer = 1, kEvery = 2 };  // as stored
MonitorChoice ArrangedMonitors(const Settings& settings);

// Size rule k (0..3): when on (OptJog(k)), a window lower than OptHgt(k) and
// narrower than OptWth(k) pixels is left out of an arrangement.
struct SizeRule {
  bool on = false;
  double height = 0, width = 0;
};
SizeRule SizeRuleAt(const Settings& settings, int rule);

}  // namespace banchiro
