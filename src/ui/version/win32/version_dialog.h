#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "common/own_windows.h"
#include "platform/platform.h"
#include "platform/win32/unique_handle.h"
#include "ui/version/version_dialog_model.h"
#include "ui/win32/window_base.h"

namespace banchiro::ui {

inline constexpr const wchar_t* kVersionClassName = kOwnWindowClassW<OwnWindow::kVersion>.data();

// The version dialog INFO_VER: a grey card with the product's name and
// version and the author's two addresses, which light up under the mouse
// and open with a click. Modal over the program's windows, one at a time.
class VersionDialog : public WindowBase, public VersionDialogView {
 public:
  VersionDialog(Platform& platform, Contacts contacts, std::string version, HINSTANCE instance);

  // Shows the dialog over `owner` and returns once it has closed; while it
  // is open, a request brings it forward.
  void Show(HWND owner);
  // Closes it, as the end of the program does.
  void Unload() { model_.Unload(); }

  // VersionDialogView
  void ShowContactColours(const std::array<std::uint32_t, kContactCount>& colours) override;
  std::vector<ProgramWindow> ProgramWindows() override;
  void EnableWindow(WindowHandle window, bool enable) override;
  bool Create() override;
  void BringForward() override;
  void RunUntilClosed() override;
  void Destroy() override;
  WindowHandle Handle() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool PaintsWholeClient() const override { return true; }
  void Paint(HDC dc) override;
  void OnDestroyed() override;

 private:
  // The contact entry (10..14) under a client point, or -1.
  int ContactAt(POINT point) const;
  // The OK button's place and font at the scale of screen_.
  void PlaceOkButton();

  Platform& platform_;
  HINSTANCE instance_;
  HWND owner_ = nullptr;
  std::vector<VersionLabel> labels_;
  ScreenMetrics screen_{};  // at the DPI of the dialog's monitor
  std::array<RECT, kContactCount> contact_rects_{};
  VersionDialogModel model_;
  HWND ok_ = nullptr;
  win32::UniqueFont ok_font_;
};

}  // namespace banchiro::ui
