#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/resident.h"
#include "app/system_commands.h"
#include "platform/platform.h"
#include "platform/session.h"
#include "settings/settings.h"
#include "ui/main/bar_layout.h"
#include "ui/main/menu_model.h"

namespace banchiro {

inline constexpr const char* kMainCaption = "ばんちろ君 for Win";
inline constexpr const char* kEndText = "「ばんちろ君 for Win」 を終了しますか？";
inline constexpr const char* kEndTitle = "終了確認";
// The extra system-menu item that opens the settings dialog.
inline constexpr std::uint32_t kSettingsSystemCommand = 1000;
inline constexpr const char* kSettingsSystemCaption = "各種設定(&K)";
inline constexpr int kMainTimerMs = 10000;
// The tray icon's identifier.
inline constexpr std::uint32_t kTrayIconId = 100;
// Mouse messages reported by the tray icon that open a popup, and the
// keyboard's Enter or Space on the icon, which opens what a left click does.
inline constexpr int kTrayLeftButtonUp = 514;
inline constexpr int kTrayRightButtonUp = 517;
inline constexpr int kTrayKeySelect = 0x401;
// While the notification area refuses the icon (the taskbar still starting
// at sign-in) it is asked again this often, for about two minutes.
inline constexpr int kTrayRetryIntervalMs = 5000;
inline constexpr int kTrayRetries = 24;

// The tip of the tray icon: the caption with a blank on either side.
std::string TrayTip(const std::string& caption);

// The popup (menu-bar position) a tray mouse message opens, or nothing.
std::optional<int> TrayPopupFor(int mouse_message);

// What the main window's model asks of its window. The Win32 window does
// these with its menu, toolbar and notification icon; tests record them.
class MainView {
 public:
  virtual ~MainView() = default;
  virtual WindowHandle Handle() = 0;
  // True once the notification area holds the icon (also when it already
  // did).
  virtual bool AddTrayIcon() = 0;
  virtual void DeleteTrayIcon() = 0;
  // The timer that asks for the icon again every kTrayRetryIntervalMs.
  virtual void SetTrayRetry(bool on) = 0;
  // The DPI of the monitor the bar stands on (the system's where monitors
  // have no scale of their own).
  virtual int Dpi() = 0;
  // The caption, menu-bar and toolbar heights at this DPI.
  virtual BarMetrics MeasureBar(int dpi) = 0;
  // The two top-level menus on the bar or not, and the outer size.
  virtual void SetBar(bool menus_visible, const PixelSize& size) = 0;
  // The height left under the menu bar, in pixels.
  virtual int ClientHeight() = 0;
  virtual void MoveTo(const TwipsPoint& position) = 0;
  // Where the bar stands when restored: while it is minimised, the place it
  // comes back to, not the minimised one.
  virtual TwipsPoint Position() = 0;
  virtual void SetShowHideState(const ShowHideState& state) = 0;
  // Rebuilds "表示(&D)" with exactly these entries.
  virtual void SetDisplayMenu(const std::vector<const MenuEntry*>& entries) = 0;
  virtual void AppendSettingsToSystemMenu() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // The button arrangement the user saved, if any; the default stays otherwise.
  virtual void RestoreToolbar() = 0;
  virtual void MakeTopmost() = 0;
  virtual void ShowPopup(int menu_position) = 0;
  // Destroys the window; nothing when it is already gone.
  virtual void Destroy() = 0;
};

// The routines behind the items whose windows other parts of the program
// provide: the settings dialog, help and the version dialog.
struct MainWindowRoutines {
  std::function<void()> show_settings_dialog;
  std::function<void(int index)> show_help;  // 0 keyword search, 1 contents
  std::function<void()> show_version_dialog;
};

// The main window's behaviour: loading, activation, the menu, toolbar and
// tray commands, show and hide, the timer and the end of the program.
class MainWindowModel {
 public:
  MainWindowModel(Platform& platform, SystemSession& session, Settings& settings,
                  Resident& resident, MainView& view, MainWindowRoutines routines);

  // Tray icon first, then layout, position, menus and relays.
  void Load();
  void OnActivate();
  // Any close: the tray icon goes, then the exit sequence, never cancelled.
  void OnClose();
  // Windows ends the session (then it closes as OnClose), or it
  // has cancelled the end: the program goes on and says so again in its
  // running flag, which a restart or shut-down of ours has cleared.
  void OnSessionEnd(bool ending);
  // The size rule carried out at the screen's DPI; also the settings
  // dialog's way to lay the bar out anew.
  void ApplyBarLayout(const BarLayout& layout);
  // The icon asked for again; given up after kTrayRetries, when a hidden
  // bar is shown, so that the program can always be reached.
  void OnTrayRetryTick();
  // A new taskbar (Explorer restarted) holds no icon of ours yet.
  void OnTaskbarCreated();
  // The display menu is about to open, on the bar or from the tray: it shows
  // what the settings say now, which the settings dialog may have changed.
  void OnDisplayMenuOpening() { RefreshDisplayMenu(); }

  // A menu item chosen on the bar, in a tray popup or through its shortcut.
  void OnMenuItem(const MenuEntry& item);
  void OnToolbarButton(int number);
  // WM_SYSCOMMAND's wParam, compared whole.
  void OnSystemCommand(std::uint64_t command);
  void OnTrayIconEvent(int mouse_message);
  void OnClockTick();

  // "ﾌｫｰﾑの表示" and "ﾌｫｰﾑのｱｲｺﾝ化": the bar shown or only in the tray.
  void ShowBar();
  void HideBar();
  // Asks, then ends the program.
  void EndProgram();

  bool hidden() const { return hidden_; }
  // The layout the window was given at load (twips).
  const BarLayout& layout() const { return layout_; }

 private:
  void RefreshDisplayMenu();
  // Where a display method was asked for: the bar's rectangle in pixels for
  // its menu, toolbar and shortcuts; nothing (the pointer's place) for a
  // tray popup or while the bar is hidden.
  std::optional<Rect> RequestPlace();
  void AddTrayIconOrRetry();
  void RetryTrayIcon();
  void SetHidden(bool hidden);

  Platform& platform_;
  SystemSession& session_;
  Settings& settings_;
  Resident& resident_;
  MainView& view_;
  MainWindowRoutines routines_;
  std::optional<SystemCommands> system_commands_;
  BarLayout layout_;
  PixelSize bar_size_;
  bool hidden_ = false;
  bool first_activation_ = false;
  bool tray_icon_ = false;
  int tray_retries_left_ = 0;
  // An arrangement runs; its message boxes serve the windows meanwhile, and
  // nothing may start another arrangement or the timed end then.
  bool arranging_ = false;
  // A tray popup was opened: its choice arrives after it has closed, as the
  // next menu item. One dismissed without a choice leaves the next item of
  // the bar taken for the tray's, arranged at the pointer, which a click on
  // the bar's menu leaves on the bar's monitor anyway.
  bool tray_popup_ = false;
};

}  // namespace banchiro
