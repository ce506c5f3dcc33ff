#pragma once

#include <windows.h>

#include <functional>

#include "common/own_windows.h"
#include "platform/platform.h"
#include "platform/session.h"
#include "settings/settings.h"
#include "ui/main/win32/main_menus.h"
#include "ui/main/win32/main_toolbar.h"
#include "ui/main/main_window_model.h"
#include "ui/main/win32/tray_icon.h"
#include "ui/settings/settings_dialog_model.h"
#include "ui/win32/window_base.h"

namespace banchiro::ui {

inline constexpr const wchar_t* kMainClassName = kOwnWindowClassW<OwnWindow::kMain>.data();

// The main window BANCHIRO: a small always-on-top bar with the menu bar and
// the toolbar, the notification icon and the 10-second timer. It renders
// what MainWindowModel decides and hands every event to it.
class MainWindow : public WindowBase, public MainView, public BarWindow {
 public:
  MainWindow(Platform& platform, SystemSession& session, Settings& settings, Resident& resident,
             MainWindowRoutines routines, HINSTANCE instance);
  ~MainWindow() override;

  // Creates the window and runs its load; the window stays hidden.
  bool Load();
  bool loaded() const { return hwnd() != nullptr; }
  // Asks the window to close, as its close box does.
  void Close();
  // The menu shortcuts; true when the message was one of them.
  bool TranslateShortcut(MSG& message) { return menus_.TranslateShortcut(hwnd(), message); }
  void set_on_destroyed(std::function<void()> handler) { on_destroyed_ = std::move(handler); }

  // BarWindow: the toolbar's own dialog for choosing and ordering its
  // buttons, and the save of the arrangement for the next start.
  void CustomizeToolbar() override { toolbar_.Customize(); }
  void SaveToolbar() override { toolbar_.Save(); }

  // BarWindow: the size rule, carried out by the model at the screen's DPI.
  void ApplyBarLayout(const BarLayout& layout) override { model_.ApplyBarLayout(layout); }

  // MainView (MoveTo and Position also serve BarWindow)
  WindowHandle Handle() override;
  bool AddTrayIcon() override;
  void DeleteTrayIcon() override { tray_.Delete(); }
  void SetTrayRetry(bool on) override;
  int Dpi() override { return dpi_; }
  BarMetrics MeasureBar(int dpi) override;
  void SetBar(bool menus_visible, const PixelSize& size) override;
  int ClientHeight() override;
  void MoveTo(const TwipsPoint& position) override;
  TwipsPoint Position() override;
  void SetShowHideState(const ShowHideState& state) override { menus_.SetShowHideState(state); }
  void SetDisplayMenu(const std::vector<const MenuEntry*>& entries) override;
  void AppendSettingsToSystemMenu() override;
  void Show() override;
  void Hide() override;
  void RestoreToolbar() override { toolbar_.Restore(); }
  void MakeTopmost() override;
  void ShowPopup(int menu_position) override;
  void Destroy() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDestroyed() override;

 private:
  void OnCommand(int id);
  // Moved onto a monitor of another scale: the place Windows suggests, the
  // size rule and the toolbar's pictures at the new DPI.
  void OnDpiChanged(int dpi);

  Platform& platform_;
  HINSTANCE instance_;
  MainWindowModel model_;
  TrayIcon tray_;
  MainMenus menus_;
  MainToolbar toolbar_;
  ScreenMetrics screen_{};  // places in twips, at the system's DPI
  int dpi_ = 96;            // the bar's monitor's, for its size
  bool menus_on_bar_ = true;
  std::function<void()> on_destroyed_;
};

}  // namespace banchiro::ui
