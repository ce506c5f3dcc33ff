#include "ui/main/main_window_model.h"

#include <utility>

#include "engine/arrange.h"
#include "settings/appearance.h"
#include "settings/main_position.h"
#include "settings/setting_values.h"
#include "settings/settings_writer.h"
#include "ui/main/toolbar_model.h"

namespace banchiro {

std::string TrayTip(const std::string& caption) {
  return " " + caption + " ";
}

std::optional<int> TrayPopupFor(int mouse_message) {
  // Button-up only: a popup opened on the press would be closed again by
  // the release.
  if (mouse_message == kTrayLeftButtonUp || mouse_message == kTrayKeySelect)
    return kGeneralMenuPosition;
  if (mouse_message == kTrayRightButtonUp) return kDisplayMenuPosition;
  return std::nullopt;
}

MainWindowModel::MainWindowModel(Platform& platform, SystemSession& session, Settings& settings,
                                 Resident& resident, MainView& view, MainWindowRoutines routines)
    : platform_(platform),
      session_(session),
      settings_(settings),
      resident_(resident),
      view_(view),
      routines_(std::move(routines)) {}

void MainWindowModel::Load() {
  // The icon comes first: a window that starts hidden is reachable only
  // through it.
  tray_icon_ = view_.AddTrayIcon();
  ReadAppearanceScheme(settings_, platform_.system);
  ApplyBarLayout(BarLayoutFor(settings_, GetWindowsName(platform_.system.Version())));

  // Centred or kept on a work area as the bar really is, not as the rule's
  // twips would have it.
  const ScreenMetrics screen = platform_.screen.Metrics();
  const double width = screen.XTwips(bar_size_.width), height = screen.YTwips(bar_size_.height);
  const TwipsPoint stored =
      MainWindowPositionFor(settings_, screen, {static_cast<int>(width), static_cast<int>(height)});
  view_.MoveTo(OntoAWorkArea({stored.left, stored.top, width, height}, screen,
                             platform_.screen.WorkAreas()));

  hidden_ = StartsHidden(settings_);
  view_.SetShowHideState(ShowHideStateFor(hidden_));
  RefreshDisplayMenu();
  view_.AppendSettingsToSystemMenu();
  system_commands_.emplace(platform_, session_, settings_, view_.Handle(),
                           [this] { return view_.Position(); });
  // Windows may end the session while the icon is being added (the thread
  // serves sent messages meanwhile); relays started after the exit sequence
  // would outlive the program.
  if (resident_.ending()) return;
  if (!tray_icon_) RetryTrayIcon();
  resident_.StartRelays();
  first_activation_ = true;
}

void MainWindowModel::ApplyBarLayout(const BarLayout& layout) {
  layout_ = layout;
  const int dpi = view_.Dpi();
  const BarMetrics metrics = view_.MeasureBar(dpi);
  bar_size_ = BarPixelSize(layout, metrics, dpi);
  view_.SetBar(layout.menus_visible, bar_size_);
  // Large text can wrap the menu bar of the narrow bar onto a second line,
  // which takes its height from the toolbar: the bar grows by what is missing.
  const int missing = (layout.toolbar_visible ? metrics.toolbar_height : 0) - view_.ClientHeight();
  if (missing <= 0) return;
  bar_size_.height += missing;
  view_.SetBar(layout.menus_visible, bar_size_);
}

void MainWindowModel::AddTrayIconOrRetry() {
  if (!tray_icon_) tray_icon_ = view_.AddTrayIcon();
  if (!tray_icon_) RetryTrayIcon();
}

void MainWindowModel::RetryTrayIcon() {
  // A retry under way keeps its count: hiding the bar must not put off the
  // moment it shows again.
  if (tray_retries_left_ > 0) return;
  tray_retries_left_ = kTrayRetries;
  view_.SetTrayRetry(true);
}

void MainWindowModel::OnTrayRetryTick() {
  // Once the end has begun nothing is shown again; the timer goes with the
  // window.
  if (resident_.ending()) return;
  if (!tray_icon_) tray_icon_ = view_.AddTrayIcon();
  if (!tray_icon_ && --tray_retries_left_ > 0) return;
  tray_retries_left_ = 0;
  view_.SetTrayRetry(false);
  if (tray_icon_ || !hidden_) return;
  // Shown as the menu's "ﾌｫｰﾑの表示" would, but OptWinS keeps what the user
  // chose: the next start may find the taskbar ready.
  hidden_ = false;
  view_.SetShowHideState(ShowHideStateFor(false));
  view_.Show();
}

void MainWindowModel::OnTaskbarCreated() {
  if (resident_.ending()) return;
  tray_icon_ = false;
  AddTrayIconOrRetry();
}

void MainWindowModel::OnActivate() {
  if (first_activation_) {
    first_activation_ = false;
    view_.RestoreToolbar();
  }
  // The settings dialog may have changed the display menu meanwhile.
  RefreshDisplayMenu();
  view_.MakeTopmost();
}

void MainWindowModel::OnClose() {
  view_.DeleteTrayIcon();
  // Unloading the window from inside the exit sequence comes back here; the
  // nested run returns at once and the window goes.
  resident_.End();
  view_.Destroy();
}

void MainWindowModel::OnSessionEnd(bool ending) {
  if (ending) {
    OnClose();
  } else if (!resident_.ending()) {
    SettingsWriter(settings_, platform_.store).Set(Key::OptStat, "1");
  }
}

void MainWindowModel::RefreshDisplayMenu() {
  view_.SetDisplayMenu(DisplayMenuEntries(settings_));
}

void MainWindowModel::OnMenuItem(const MenuEntry& item) {
  switch (item.command) {
    case MenuCommand::kNone:
      return;
    case MenuCommand::kHelpKeywordSearch:
      if (routines_.show_help) routines_.show_help(0);
      return;
    case MenuCommand::kHelpContents:
      if (routines_.show_help) routines_.show_help(1);
      return;
    case MenuCommand::kHelpAbout:
      if (routines_.show_version_dialog) routines_.show_version_dialog();
      return;
    case MenuCommand::kSettings:
      if (routines_.show_settings_dialog) routines_.show_settings_dialog();
      return;
    case MenuCommand::kShowWindow:
      ShowBar();
      return;
    case MenuCommand::kHideWindow:
      HideBar();
      return;
    case MenuCommand::kEmptyRecycleBin:
      if (system_commands_) system_commands_->EmptyRecycleBin();
      return;
    case MenuCommand::kClearRecentDocuments:
      if (system_commands_) system_commands_->ClearRecentDocuments();
      return;
    case MenuCommand::kRestartWindows:
      if (system_commands_) system_commands_->RestartWindows();
      return;
    case MenuCommand::kShutDownWindows:
      if (system_commands_) system_commands_->ShutDownWindows();
      return;
    case MenuCommand::kEndProgram:
      EndProgram();
      return;
    case MenuCommand::kDisplayMethod:
      if (item.method && !arranging_) {
        arranging_ = true;
        struct Done {
          bool& flag;
          ~Done() { flag = false; }
        } done{arranging_};
        ArrangeWindows(*item.method, platform_, settings_, RequestPlace());
      }
      return;
  }
}

std::optional<Rect> MainWindowModel::RequestPlace() {
  const bool from_tray = tray_popup_;
  tray_popup_ = false;
  if (from_tray || hidden_) return std::nullopt;
  const ScreenMetrics screen = platform_.screen.Metrics();
  const TwipsPoint place = view_.Position();
  return Rect{screen.XPixels(place.left), screen.YPixels(place.top), bar_size_.width,
              bar_size_.height};
}

void MainWindowModel::OnToolbarButton(int number) {
  tray_popup_ = false;
  const auto button = ToolbarButtonFor(number);
  if (button && button->item) OnMenuItem(*button->item);
}

void MainWindowModel::OnSystemCommand(std::uint64_t command) {
  if (command == kSettingsSystemCommand && routines_.show_settings_dialog)
    routines_.show_settings_dialog();
}

void MainWindowModel::OnTrayIconEvent(int mouse_message) {
  if (arranging_) return;
  if (const auto position = TrayPopupFor(mouse_message)) {
    tray_popup_ = true;
    view_.ShowPopup(*position);
  }
}

void MainWindowModel::OnClockTick() {
  if (system_commands_ && !arranging_) system_commands_->OnClockTick();
}

void MainWindowModel::HideBar() {
  // Hidden without an icon, the bar could not be reached again: the icon is
  // asked for, and the retry shows the bar when it never comes.
  AddTrayIconOrRetry();
  StoreMainWindowPosition(settings_, platform_.store, view_.Position());
  SetHidden(true);
  view_.Hide();
}

void MainWindowModel::ShowBar() {
  SetHidden(false);
  view_.Show();
}

void MainWindowModel::SetHidden(bool hidden) {
  hidden_ = hidden;
  view_.SetShowHideState(ShowHideStateFor(hidden));
  // The next start opens the bar as the user left it.
  SettingsWriter(settings_, platform_.store).Set(Key::OptWinS, hidden ? "1" : "0");
}

void MainWindowModel::EndProgram() {
  if (platform_.message_boxes.Show(kEndText, kEndTitle, MessageButtons::kOkCancel,
                                   MessageIcon::kQuestion) == MessageAnswer::kOk) {
    resident_.End();
  }
}

}  // namespace banchiro
