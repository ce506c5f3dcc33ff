#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <optional>
#include <string>

#include "ui/main/win32/toolbar_images.h"
#include "ui/main/toolbar_model.h"

namespace banchiro::ui {

// Command identifiers of the buttons: the button's number plus this base.
inline constexpr int kToolbarCommandBase = 3000;
inline constexpr int kToolbarControlId = 1;
// The button (1..17) a WM_COMMAND identifier names.
std::optional<int> ToolbarButtonForCommand(int id);

// The main window's toolbar Toolbar1: the 17 buttons with their pictures and
// tooltips, the toolbar's own customise dialog, and the save and restore of
// the user's arrangement in the registry.
class MainToolbar {
 public:
  bool Create(HWND parent, HINSTANCE instance, int dpi);
  // The pictures drawn anew for a monitor of another scale.
  void SetDpi(int dpi);
  HWND hwnd() const { return toolbar_; }
  // The window is gone with its parent.
  void Forget() { toolbar_ = nullptr; }
  void AutoSize();
  // Tooltips and the customise dialog's questions.
  LRESULT OnNotify(NMHDR* header);
  // The arrangement the user saved, if any; the default stays otherwise.
  void Restore();
  void Save();
  void Customize();

 private:
  TBBUTTON Button(int index) const;
  void AddDefaultButtons();

  HWND toolbar_ = nullptr;
  UniqueImageList images_;
  std::array<std::wstring, kToolbarButtonCount> tooltips_;
};

}  // namespace banchiro::ui
