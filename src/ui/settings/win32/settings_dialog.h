#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "common/own_windows.h"
#include "platform/platform.h"
#include "platform/win32/unique_handle.h"
#include "settings/settings.h"
#include "ui/settings/dialog_layout.h"
#include "ui/settings/settings_dialog_model.h"
#include "ui/win32/window_base.h"

namespace banchiro::ui {

inline constexpr const wchar_t* kSettingsClassName = kOwnWindowClassW<OwnWindow::kSettings>.data();

// The settings dialog SETTEI: not modal, above every other window, owned by
// the main window so that it has no taskbar button. It builds its controls
// from the dialog's layout table and renders what the model decides.
class SettingsDialog : public WindowBase, public SettingsDialogView {
 public:
  SettingsDialog(Platform& platform, Settings& settings, BarWindow& bar, HINSTANCE instance,
                 SettingsDialogHooks hooks);

  // Opens the dialog filled afresh from the settings, or brings the open one
  // forward.
  void Open(HWND owner);
  // Closes it without saving, as the end of the program does.
  void Unload();
  bool open() const { return hwnd() != nullptr; }
  // Tab, the access keys, Enter and Esc, and Ctrl+Tab, Ctrl+Shift+Tab,
  // Ctrl+PgDn and Ctrl+PgUp along the tabs; true when the message was the
  // dialog's.
  bool TranslateDialogKey(MSG& message);

  // SettingsDialogView
  void Render(const SettingsDialogState& state) override;
  void ShowHelp(const std::string& file, int context) override;
  void Close() override { Unload(); }
  void FocusNewTitle() override;
  void FocusKey(int method) override;
  std::optional<std::uint32_t> ChooseColour(std::uint32_t colour) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void CreateControls();
  // Every control's place and font at the scale of `screen_`.
  void PlaceControls();
  void AddTooltip(HWND control, std::string_view text);
  void OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(const NMHDR& header);
  void OnScroll(HWND bar, int request);
  void DrawColour(const DRAWITEMSTRUCT& item);
  // The push button that Enter presses for the focus now, drawn as such.
  int DefaultButtonId();
  void ShowDefaultButton();
  void ShowFocusedValue();
  // The table index of a control window, or -1.
  int IndexOf(HWND control) const;
  static std::string Text(HWND control);
  static void FillList(HWND list, const std::string& lines);

  Platform& platform_;
  HINSTANCE instance_;
  SettingsDialogModel model_;
  ScreenMetrics screen_{};  // at the DPI of the dialog's monitor
  // What a control shows now, so that a change touches only what differs.
  struct Shown {
    bool visible = false;
    int value = 0;
    std::string text;
    bool valid = false;
  };
  std::vector<HWND> controls_;  // one for each entry of the layout table
  std::vector<Shown> shown_;
  std::deque<std::wstring> tips_;  // the tooltip texts, kept while shown
  HWND tooltip_ = nullptr;
  // The control that had the focus when another window was activated.
  HWND last_focus_ = nullptr;
  HWND value_focus_ = nullptr;  // the focus when the values were last drawn
  // The help viewer raised above the dialog, put back when the dialog goes.
  HWND help_viewer_ = nullptr;
  win32::UniqueFont font_;
};

}  // namespace banchiro::ui
