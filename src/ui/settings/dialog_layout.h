#pragma once

#include <string_view>
#include <vector>

#include "common/rect.h"

namespace banchiro {

// The settings dialog's client area and its controls, in twips.
inline constexpr double kSettingsWidthTwips = 7395;
inline constexpr double kSettingsHeightTwips = 6660;
// The tab control is only its row of tabs; the dialog draws the frame of the
// tabs' page itself, so that the page and the frames on it share one face.
inline constexpr TwipsRect kSettingsPageTwips{90, 420, 7215, 5520};

enum class ControlKind {
  kTabs,     // the tab control SSTab1
  kButton,   // a push button
  kCheck,    // a check box
  kOption,   // an option button; the first of a group starts the group
  kFrame,    // a frame with its caption
  kCaption,  // a fixed text
  kSign,     // "×" or "＋" between two values, centred in the room between them
  kValue,    // a label that shows a control's value
  kSpin,     // an up-down control without a text box
  kScroll,   // a small vertical scroll bar
  kEdit,     // a one-line text box
  kList,     // a list box
  kCombo,    // a drop-down list
  kColour,   // a button that shows a colour
};

// What a control shows or changes; `index` picks the element of an array.
enum class ControlRole {
  kNone,
  kCommand,         // Command1(index): OK, Cancel, Apply, Help
  kCustomize,       // Command2: the toolbar's own customise dialog
  kGeneral,         // Check1(index)
  kRun,             // Option1(index)
  kLink,            // Check2: hour and minute linked
  kHour,            // UpDown1(0) and Label1(0)
  kMinute,          // UpDown1(1) and Label1(1)
  kCascade,         // UpDown2 and Label2
  kRatio,           // VScroll3(index) and Label3(index)
  kEdgeCount,       // UpDown4(index) and Label4(index)
  kEdgeSize,        // UpDown5(index) and Label5(index)
  kEdgeAdjust,      // UpDown6(index) and Label6(index)
  kNewTitle,        // Text1: a title to add
  kTitles,          // List1: the excluded titles
  kTitleCommand,    // Command4(index): add, delete
  kSizeRuleOn,      // Check9(index)
  kSizeRuleWidth,   // UpDown8(index) and Label12(index)
  kSizeRuleHeight,  // UpDown7(index) and Label11(index)
  kFolderVerb,      // Check3(index)
  kFileVerb,        // Check4(index)
  kDisplayItem,     // Check5(index)
  kSeparator,       // Check7(index)
  kKey,             // Combo1(index): "なし", "F1".."F12"
  kOnPalette,       // Check6(index)
  kGuide,           // Check8
  kColour,          // Command3(index): text, background
  kArrangeUndo,     // the undo of the last arrangement (OptUndo)
};

struct DialogControl {
  ControlKind kind;
  ControlRole role;
  int index;
  int tab;  // the tab it stands on, -1 for the tab control and the buttons
  std::string_view caption;
  std::string_view tooltip;  // without the blanks the dialog puts around it
  TwipsRect rect;
};

// Every control of the dialog in tab order: the tab control, each tab's
// controls, the four buttons. A spinner's arrows follow its value. A drop-down list's rectangle is
// its closed box; its list opens below it.
const std::vector<DialogControl>& SettingsDialogControls();

// The tabs' captions, in order.
inline constexpr std::string_view kSettingsTabCaptions[] = {"環境設定等", "ばんちろ対象外",
                                                            "右クリックの追加", "Ctrl＋Fxの追加"};

}  // namespace banchiro
