#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/display_methods.h"
#include "common/rect.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "settings/settings_writer.h"
#include "ui/main/bar_layout.h"
#include "ui/settings/numeric_controls.h"

namespace banchiro {

inline constexpr const char* kSettingsCaption = "各種設定";
inline constexpr int kSettingsTabCount = 4;
// The help topic of each tab.
inline constexpr std::array<int, kSettingsTabCount> kSettingsHelpContexts = {26, 22, 38, 46};
inline constexpr const char* kBothBarsOffText =
    "「メニューバー」 と 「ツールバー」 の両方を表示しない設定はできません。";
inline constexpr const char* kBothBarsOffTitle = "設定確認";
inline constexpr const char* kMenuBarForcedText = "強制的に 「メニューバー」 を表示に設定します。";
inline constexpr const char* kMenuBarForcedTitle = "強制設定";
// The title list's refusals.
inline constexpr int kMaxTitles = kExcludedTitleCount;
inline constexpr const char* kNoTitleText = "窓のタイトルを入力して下さい。";
inline constexpr const char* kNoTitleTitle = "タイトル入力確認";
inline constexpr const char* kKnownTitleText = "既に登録されているタイトルです。";
inline constexpr const char* kKnownTitleTitle = "タイトル確認";
inline constexpr const char* kFullListText = "登録できる窓のタイトル数は 100個です。";
inline constexpr const char* kFullListTitle = "登録数確認";
inline constexpr const char* kNothingSelectedText = "窓のタイトルを選択して下さい。";
inline constexpr const char* kNothingSelectedTitle = "タイトル選択確認";
inline constexpr const char* kEmptyMenuText =
    "表示メニューは１つ以上の項目を表示する必要があります。";
inline constexpr const char* kEmptyMenuTitle = "表示ﾒﾆｭｰ確認";
inline constexpr const char* kKeyConflictText = "設定に矛盾があります。 設定を確認して下さい。";
inline constexpr const char* kKeyConflictTitle = "設定確認";

// The boxes of the general tab's frame " 環境設定 ", in order.
enum GeneralBox { kLogoBox, kCentreBox, kMenuBarBox, kToolbarBox, kSaveToolbarBox, kLastTabBox };
inline constexpr int kGeneralBoxCount = 6;

// The edges of " 画面上下左右端の隙間 " and their three spinners each.
enum class EdgePart { kCount, kSize, kAdjustment };

// What the dialog shows: every control's value, and the text of every label
// whose text is what gets stored.
struct SettingsDialogState {
  int tab = 0;
  // Tab 0.
  std::array<bool, kGeneralBoxCount> general{};
  int pending_run = 2;  // the run-time option chosen: 0 restart, 1 shut down, 2 none
  RunTime time;
  bool link_time = false;
  int cascade = 12;  // tenths
  std::string cascade_label;
  std::array<int, 4> ratio{};  // top, left, bottom, right shares of 20
  std::array<std::string, 4> ratio_label;
  std::array<std::array<int, 4>, 3> edge{};  // [EdgePart][edge]
  std::array<std::array<std::string, 4>, 3> edge_label;
  int monitors = 0;  // 0 the main monitor, 1 the pointer's, 2 each its own
  bool undo_arrangement = false;
  // Tab 1.
  std::vector<std::string> titles;
  int selected_title = -1;
  std::string new_title;
  std::array<bool, 4> size_rule_on{};
  std::array<int, 4> size_rule_height{}, size_rule_width{};
  std::array<std::string, 4> size_rule_height_label, size_rule_width_label;
  // Tab 2: the folder verb, the file verb and the display menu of each method.
  std::array<std::array<bool, kMethodCount>, kRightClickRows> right_click{};
  std::array<bool, kSeparatorCount> separator{};
  // Tab 3.
  std::array<int, kMethodCount> pending_key{};  // 0 none, 1..12
  std::array<bool, kMethodCount> on_palette{};
  std::array<std::string, 2> colour;  // text, background: the stored colour values
  bool guide = false;
};

// What the dialog asks of the main window when it saves.
class BarWindow {
 public:
  virtual ~BarWindow() = default;
  virtual void ApplyBarLayout(const BarLayout& layout) = 0;
  virtual TwipsPoint Position() = 0;
  virtual void MoveTo(const TwipsPoint& position) = 0;
  // The toolbar's own save of its arrangement, and its customise dialog.
  virtual void SaveToolbar() = 0;
  virtual void CustomizeToolbar() = 0;
};

// What the dialog asks of its own window.
class SettingsDialogView {
 public:
  virtual ~SettingsDialogView() = default;
  // Shows the state (after every change the model makes).
  virtual void Render(const SettingsDialogState& state) = 0;
  virtual void ShowHelp(const std::string& file, int context) = 0;
  virtual void Close() = 0;
  // The input focus to the new title's text box.
  virtual void FocusNewTitle() = 0;
  // The input focus to the key of a method on the function-key tab.
  virtual void FocusKey(int method) = 0;
  // The system's colour dialog, starting at `colour`; nothing when cancelled.
  virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t colour) = 0;
};

// What saving the function-key tab asks of the rest of the program.
struct SettingsDialogHooks {
  std::function<void()> restart_relays;
  // Closes the palette and, when any method is marked for it, shows it again.
  std::function<void(bool shown)> rebuild_palette;
};

// The settings dialog's rules: filling its controls from the settings
// record, the changes of its controls, and the save routine of each tab.
class SettingsDialogModel {
 public:
  SettingsDialogModel(Platform& platform, Settings& settings, BarWindow& bar,
                      SettingsDialogView& view, SettingsDialogHooks hooks = {});

  const SettingsDialogState& state() const { return state_; }

  // Fills every control from the settings record.
  void Load();

  // OK saves every tab and closes, unless a tab refuses; Cancel closes;
  // Apply saves the tab shown; Help opens its topic.
  void OnOk();
  void OnCancel() { view_.Close(); }
  void OnApply() { SaveTab(state_.tab); }
  void OnHelp();
  void CustomizeToolbar() { bar_.CustomizeToolbar(); }
  void SelectTab(int tab);
  // The next tab, or the one before, round the four (Ctrl+Tab, Ctrl+PgDn).
  void NextTab(bool backwards);
  // A box of " 環境設定 " was ticked or cleared.
  void SetGeneralBox(int box, bool ticked);
  void SetRunAction(int index);
  void SetTimeLinked(bool ticked);
  // A spinner or scroll bar was moved to `value` (within its control's range).
  void SetRunTime(bool minute, int value);
  void SetCascade(int tenths);
  void SetRatio(int share, int value);
  void SetEdgeGap(EdgePart part, int edge, int value);
  // The monitors an arrangement works on: 0 main, 1 the pointer's, 2 every.
  void ChooseMonitors(int choice);
  // 元に戻す undoes the last arrangement first (OptUndo).
  void SetUndoArrangement(bool ticked);

  // Tab 1: the new title's text, the list's selection, adding it and
  // deleting the selected one, and the size rules.
  void SetNewTitle(const std::string& text);
  void SelectTitle(int index);
  void AddTitle();
  void DeleteTitle();
  void SetSizeRuleOn(int rule, bool ticked);
  void SetSizeRuleSize(int rule, bool width, int value);
  // Tab 2: the folder verb (row 0), the file verb (1) and the display menu
  // (2) of a method; a separator of the display menu.
  void SetMethodChoice(int row, int method, bool ticked);
  void SetSeparator(int separator, bool ticked);
  // Tab 3: a method's key (0 none), its palette box, the guide in front, a
  // colour (0 text, 1 background).
  void SetHotKey(int method, int key);
  void SetOnPalette(int method, bool ticked);
  void SetGuideInFront(bool ticked);
  void ChooseColour(int colour);

  // False when the tab refused to be saved (a key given twice).
  bool SaveTab(int tab);
  void SaveGeneralTab();
  void SaveExclusionTab();
  void SaveRightClickTab();
  bool SaveFunctionKeyTab();

 private:
  static std::string Flag(bool on) { return on ? "1" : "0"; }
  void Render() {
    if (!loading_) view_.Render(state_);
  }

  Platform& platform_;
  Settings& settings_;
  BarWindow& bar_;
  SettingsDialogView& view_;
  SettingsDialogHooks hooks_;
  SettingsDialogState state_;
  SettingsWriter writer_{settings_, platform_.store};
  bool loading_ = false;
};

}  // namespace banchiro
