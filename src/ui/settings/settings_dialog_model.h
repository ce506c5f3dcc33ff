#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/display_methods.h"
#include "common/rect.h"
#include "platform/platform.h"
#include "settings/settings.h"
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
  // Tab 1.
  std::vector<std::string> titles;
  std::array<bool, 4> size_rule_on{};
  std::array<int, 4> size_rule_height{}, size_rule_width{};
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
};

// The settings dialog's rules: filling its controls from the settings
// record, the changes of its controls, and the save routine of each tab.
class SettingsDialogModel {
 public:
  SettingsDialogModel(Platform& platform, Settings& settings, BarWindow& bar,
                      SettingsDialogView& view);

  const SettingsDialogState& state() const { return state_; }

  // Fills every control from the settings record.
  void Form_Load();

  // The buttons: 0 OK, 1 Cancel, 2 Apply, 3 Help.
  void Command1_Click(int index);
  void Command2_Click() { bar_.CustomizeToolbar(); }
  void SSTab1_Click(int tab);
  // A box of " 環境設定 " was ticked or cleared.
  void Check1_Click(int box, bool ticked);
  void Option1_Click(int index);
  void Check2_Click(bool ticked);
  // A spinner or scroll bar was moved to `value` (within its control's range).
  void UpDown1_Change(bool minute, int value);
  void UpDown2_Change(int tenths);
  void VScroll3_Change(int share, int value);
  void Edge_Change(EdgePart part, int edge, int value);

  // The save routine of a tab; tabs 1 to 3 bring theirs with their controls.
  void SaveTab(int tab);
  void SaveGeneralTab();

 private:
  void Write(std::string_view section, std::string_view key, std::string& field,
             const std::string& text);
  void Render() {
    if (!loading_) view_.Render(state_);
  }

  Platform& platform_;
  Settings& settings_;
  BarWindow& bar_;
  SettingsDialogView& view_;
  SettingsDialogState state_;
  bool loading_ = false;
};

}  // namespace banchiro
