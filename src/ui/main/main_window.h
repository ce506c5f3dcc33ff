#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/session.h"
#include "platform/win32/unique_handle.h"
#include "settings/settings.h"
#include "ui/main/main_window_model.h"
#include "ui/main/toolbar_model.h"
#include "ui/win32/window_base.h"

namespace banchiro::ui {

inline constexpr wchar_t kMainClassName[] = L"BANCHIRO";
inline constexpr wchar_t kTrayOwnerClassName[] = L"BANCHIRO.Picture1";
// Command identifiers: a menu item's is its place in the menu tree plus the
// first base, a toolbar button's is its number plus the second.
inline constexpr int kMenuCommandBase = 2000;
inline constexpr int kToolbarCommandBase = 3000;
inline constexpr int kToolbarControlId = 1;
// The WM_COMMAND identifier of a menu item of MainMenuTree().
int MenuCommandId(const MenuEntry& entry);
// Where the toolbar keeps the user's button arrangement.
inline constexpr wchar_t kToolbarKey[] = L"Software\\VB and VBA Program Settings\\BANCHIRO\\Config";
inline constexpr wchar_t kToolbarValue[] = L"Toolbar";

// The window that owns the notification icon and hears its mouse messages.
// It is never shown; being a top-level window it also hears the shell's
// "TaskbarCreated", after which the icon has to be added again.
class TrayOwnerWindow : public WindowBase {
 public:
  TrayOwnerWindow(HINSTANCE instance, std::function<void(int)> on_mouse,
                  std::function<void()> on_taskbar_created);
  bool Create();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  HINSTANCE instance_;
  std::function<void(int)> on_mouse_;
  std::function<void()> on_taskbar_created_;
  UINT taskbar_created_ = 0;
};

// The main window BANCHIRO: a small always-on-top bar with the menu bar and
// the toolbar, the notification icon and the 10-second timer. It renders
// what MainWindowModel decides and hands every event to it.
class MainWindow : public WindowBase, public MainView {
 public:
  MainWindow(Platform& platform, SystemSession& session, Settings& settings, RelayTable& relays,
             ExitSequence& exit_sequence, MainWindowRoutines routines, HINSTANCE instance);
  ~MainWindow() override;

  // Creates the window and runs its load; the window stays hidden.
  bool Load();
  bool loaded() const { return hwnd() != nullptr; }
  // Asks the window to close, as its close box does.
  void Close();
  // The menu shortcuts; true when the message was one of them.
  bool TranslateShortcut(MSG& message);
  // The toolbar's own dialog for choosing and ordering its buttons.
  void CustomizeToolbar();
  // Stores the toolbar's current arrangement for the next start.
  void SaveToolbar();
  void set_on_destroyed(std::function<void()> handler) { on_destroyed_ = std::move(handler); }
  MainWindowModel& model() { return model_; }

  // MainView
  WindowHandle Handle() override;
  void AddTrayIcon() override;
  void DeleteTrayIcon() override;
  void ApplyBarLayout(const BarLayout& layout) override;
  void MoveTo(const MainWindowTwips& position) override;
  MainWindowTwips Position() override;
  void SetShowHideState(const ShowHideState& state) override;
  void SetDisplayMenu(const std::vector<const MenuEntry*>& entries) override;
  void AppendSettingsToSystemMenu() override;
  void Show() override;
  void Hide() override;
  void RestoreToolbar() override;
  void MakeTopmost() override;
  void ShowPopup(int menu_position) override;
  void Destroy() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDestroyed() override;

 private:
  void BuildMenus();
  void BuildAccelerators();
  void CreateToolbar();
  void AddDefaultButtons();
  LRESULT OnNotify(NMHDR* header);
  void OnCommand(int id);
  bool NotifyTray(DWORD action);

  Platform& platform_;
  Settings& settings_;
  HINSTANCE instance_;
  MainWindowModel model_;
  TrayOwnerWindow tray_owner_;
  ScreenMetrics screen_{};
  win32::UniqueMenu menu_bar_;  // owns both popups, attached or not
  HMENU general_menu_ = nullptr;
  HMENU display_menu_ = nullptr;
  bool menus_on_bar_ = true;
  HACCEL accelerators_ = nullptr;
  HWND toolbar_ = nullptr;
  HIMAGELIST images_ = nullptr;
  win32::UniqueIcon tray_icon_;
  bool tray_added_ = false;
  std::array<std::wstring, kToolbarButtonCount> tooltips_;
  std::function<void()> on_destroyed_;
};

}  // namespace banchiro::ui
