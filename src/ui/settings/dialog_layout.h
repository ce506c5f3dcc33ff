#pragma once

#include <string_view>
#include <vector>

#include "common/rect.h"

namespace banchiro {

// The settings dialog's client area and its controls, in twips.
inline constexpr double kSettingsWidthTwips = 7395;
inline constexpr double kSettingsHeightTwips = 6975;
// The tab control is only its row of tabs; the dialog draws the frame of the
// tabs' page itself, so that the page and the frames on it share one face.
inline constexpr TwipsRect kSettingsPageTwips{90, 420, 7215, 5835};

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
  kCommand,         // OK, Cancel, Apply, Help (by index)
  kCustomize,       // the toolbar's own customise dialog
  kGeneral,         // a box of " 環境設定 " (GeneralBox)
  kRun,             // the scheduled action: restart, shut down, none
  kLink,            // Check2: hour and minute linked
  kHour,            // the scheduled hour: spinner and value
  kMinute,          // the scheduled minute: spinner and value
  kCascade,         // the cascade factor: spinner and value
  kRatio,           // a split share: scroll bar and value
  kEdgeCount,       // an edge's icon count: spinner and value
  kEdgeSize,        // an edge's icon size: spinner and value
  kEdgeAdjust,      // an edge's adjustment: spinner and value
  kNewTitle,        // a title to add
  kTitles,          // the excluded titles
  kTitleCommand,    // add, delete (by index)
  kSizeRuleOn,      // a size rule on
  kSizeRuleWidth,   // a size rule's width: spinner and value
  kSizeRuleHeight,  // a size rule's height: spinner and value
  kFolderVerb,      // a method's verb on folders
  kFileVerb,        // a method's verb on all files
  kDisplayItem,     // a method's item on the display menu
  kSeparator,       // a separator of the display menu
  kKey,             // a method's hot key: "なし", "F1".."F12"
  kOnPalette,       // a method's tile on the palette
  kGuide,           // the palette's guide in front
  kColour,          // a palette colour: text, background
  kMonitor,         // the monitors an arrangement works on (OptMon), by index
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
