#include "ui/main/main_window.h"

#include <shellapi.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "common/numbers.h"
#include "platform/win32/utf.h"
#include "res/resource.h"
#include "ui/main/toolbar_icons.h"
#include "ui/main/toolbar_images.h"

namespace banchiro::ui {
namespace {

constexpr UINT_PTR kTimerId = 1;

std::wstring MenuText(const MenuEntry& entry) {
  std::wstring text = win32::Widen(entry.caption);
  const std::string shortcut = ShortcutText(entry.shortcut);
  if (!shortcut.empty()) text += L"\t" + win32::Widen(shortcut);
  return text;
}

void AppendEntry(HMENU menu, const MenuEntry& entry) {
  if (entry.kind == MenuEntryKind::kSeparator) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  const UINT flags = MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED);
  AppendMenuW(menu, flags, static_cast<UINT_PTR>(MenuCommandId(entry)), MenuText(entry).c_str());
}

// Fills `menu` with the entries below tree position `parent`, submenus
// included; the display menu is left to SetDisplayMenu.
void FillMenu(HMENU menu, int parent) {
  const auto& tree = MainMenuTree();
  for (int child : MenuChildren(parent)) {
    const MenuEntry& entry = tree[child];
    if (entry.kind == MenuEntryKind::kSubmenu) {
      HMENU sub = CreatePopupMenu();
      FillMenu(sub, child);
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                  win32::Widen(entry.caption).c_str());
    } else {
      AppendEntry(menu, entry);
    }
  }
}

}  // namespace

int MenuCommandId(const MenuEntry& entry) {
  return kMenuCommandBase + static_cast<int>(&entry - MainMenuTree().data());
}

// ----- TrayOwnerWindow ------------------------------------------------------

TrayOwnerWindow::TrayOwnerWindow(HINSTANCE instance, std::function<void(int)> on_mouse,
                                 std::function<void()> on_taskbar_created)
    : instance_(instance),
      on_mouse_(std::move(on_mouse)),
      on_taskbar_created_(std::move(on_taskbar_created)) {}

bool TrayOwnerWindow::Create() {
  if (hwnd()) return true;
  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  RegisterClassOnce(instance_, kTrayOwnerClassName, nullptr);
  // A hidden top-level window: message-only windows miss the broadcast.
  return CreateFor(WS_EX_TOOLWINDOW, kTrayOwnerClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                   instance_) != nullptr;
}

LRESULT TrayOwnerWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kTrayCallbackMessage) {
    if (on_mouse_) on_mouse_(static_cast<int>(LOWORD(lparam)));
    return 0;
  }
  if (taskbar_created_ != 0 && message == taskbar_created_) {
    if (on_taskbar_created_) on_taskbar_created_();
    return 0;
  }
  return WindowBase::HandleMessage(message, wparam, lparam);
}

// ----- MainWindow -----------------------------------------------------------

MainWindow::MainWindow(Platform& platform, SystemSession& session, Settings& settings,
                       RelayTable& relays, ExitSequence& exit_sequence, MainWindowRoutines routines,
                       HINSTANCE instance)
    : platform_(platform),
      settings_(settings),
      instance_(instance),
      model_(platform, session, settings, relays, exit_sequence, *this, std::move(routines)),
      tray_owner_(
          instance, [this](int message) { model_.Picture1_MouseMove(message); },
          [this] {
            // The shell restarted and forgot the icon; without it a hidden
            // window could not be reached at all.
            if (tray_added_) NotifyTray(NIM_ADD);
          }) {}

MainWindow::~MainWindow() {
  if (tray_added_) NotifyTray(NIM_DELETE);
  Destroy();
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  if (images_) ImageList_Destroy(images_);
}

bool MainWindow::Load() {
  if (loaded()) return true;
  screen_ = platform_.screen.Metrics();
  HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_BANCHIRO));
  RegisterClassOnce(instance_, kMainClassName, icon);
  tray_owner_.Create();
  tray_icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_BANCHIRO),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0)));
  BuildMenus();
  // Fixed single border, no minimise or maximise box.
  if (!CreateFor(0, kMainClassName, win32::Widen(kMainCaption).c_str(),
                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 100, 100, nullptr,
                 instance_)) {
    return false;
  }
  SetMenu(hwnd(), menu_bar_.get());
  CreateToolbar();
  BuildAccelerators();
  SetTimer(hwnd(), kTimerId, kMainTimerMs, nullptr);
  model_.Form_Load();
  return true;
}

void MainWindow::BuildMenus() {
  menu_bar_.reset(CreateMenu());
  FillMenu(menu_bar_.get(), -1);
  general_menu_ = GetSubMenu(menu_bar_.get(), kGeneralMenuPosition);
  display_menu_ = GetSubMenu(menu_bar_.get(), kDisplayMenuPosition);
}

void MainWindow::BuildAccelerators() {
  std::vector<ACCEL> table;
  for (const MenuEntry& entry : MainMenuTree()) {
    if (entry.shortcut.empty() || entry.kind != MenuEntryKind::kItem) continue;
    ACCEL a{};
    a.cmd = static_cast<WORD>(MenuCommandId(entry));
    a.fVirt = FVIRTKEY;
    if (entry.shortcut.function_key > 0) {
      a.key = static_cast<WORD>(VK_F1 + entry.shortcut.function_key - 1);
    } else {
      a.key = static_cast<WORD>(entry.shortcut.letter);
      if (entry.shortcut.ctrl) a.fVirt |= FCONTROL;
    }
    table.push_back(a);
  }
  accelerators_ = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

bool MainWindow::TranslateShortcut(MSG& message) {
  if (!hwnd() || !accelerators_) return false;
  if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
  return TranslateAcceleratorW(hwnd(), accelerators_, &message) != 0;
}

void MainWindow::CreateToolbar() {
  toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                                 TBSTYLE_TOOLTIPS | CCS_TOP | CCS_ADJUSTABLE,
                             0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(kToolbarControlId),
                             instance_, nullptr);
  if (!toolbar_) return;
  SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  const int dpi = RoundToInt32(1440.0 / screen_.twips_per_pixel_x);
  images_ = CreateToolbarImageList(ToolbarIconScale(dpi));
  SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  for (const ToolbarButton& b : ToolbarButtons())
    tooltips_[b.number - 1] = win32::Widen(b.tooltip);
  AddDefaultButtons();
}

void MainWindow::AddDefaultButtons() {
  std::array<TBBUTTON, kToolbarButtonCount> buttons{};
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    buttons[i].iBitmap = i;
    buttons[i].idCommand = kToolbarCommandBase + i + 1;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
    buttons[i].iString = -1;
  }
  SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
}

LRESULT MainWindow::OnNotify(NMHDR* header) {
  switch (header->code) {
    case TTN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
      const int number = static_cast<int>(header->idFrom) - kToolbarCommandBase;
      if (number >= 1 && number <= kToolbarButtonCount)
        info->lpszText = const_cast<wchar_t*>(tooltips_[number - 1].c_str());
      return 0;
    }
    // The customise dialog: every button may go anywhere or away.
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
      return TRUE;
    case TBN_GETBUTTONINFOW: {
      auto* info = reinterpret_cast<NMTOOLBARW*>(header);
      if (info->iItem < 0 || info->iItem >= kToolbarButtonCount) return FALSE;
      info->tbButton.iBitmap = info->iItem;
      info->tbButton.idCommand = kToolbarCommandBase + info->iItem + 1;
      info->tbButton.fsState = TBSTATE_ENABLED;
      info->tbButton.fsStyle = BTNS_BUTTON;
      info->tbButton.iString = -1;
      if (info->pszText && info->cchText > 0) {
        const std::wstring& text = tooltips_[info->iItem];
        lstrcpynW(info->pszText, text.c_str(), info->cchText);
      }
      return TRUE;
    }
    case TBN_RESET: {
      while (SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(toolbar_, TB_DELETEBUTTON, 0, 0);
      AddDefaultButtons();
      return 0;
    }
    default:
      return 0;
  }
}

void MainWindow::RestoreToolbar() {
  if (!toolbar_) return;
  // Restoring from a value that is not there would empty the toolbar on
  // some versions of the control; the defaults stay instead.
  DWORD type = 0, size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kToolbarKey, kToolbarValue, RRF_RT_REG_BINARY, &type, nullptr,
                   &size) != ERROR_SUCCESS ||
      size == 0) {
    return;
  }
  TBSAVEPARAMSW params{HKEY_CURRENT_USER, kToolbarKey, kToolbarValue};
  SendMessageW(toolbar_, TB_SAVERESTOREW, FALSE, reinterpret_cast<LPARAM>(&params));
  SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
}

void MainWindow::CustomizeToolbar() {
  if (toolbar_) SendMessageW(toolbar_, TB_CUSTOMIZE, 0, 0);
}

void MainWindow::SaveToolbar() {
  if (!toolbar_) return;
  TBSAVEPARAMSW params{HKEY_CURRENT_USER, kToolbarKey, kToolbarValue};
  SendMessageW(toolbar_, TB_SAVERESTOREW, TRUE, reinterpret_cast<LPARAM>(&params));
}

void MainWindow::OnCommand(int id) {
  const auto& tree = MainMenuTree();
  if (id >= kMenuCommandBase && id < kMenuCommandBase + static_cast<int>(tree.size())) {
    model_.OnMenuItem(tree[id - kMenuCommandBase]);
  } else if (id > kToolbarCommandBase && id <= kToolbarCommandBase + kToolbarButtonCount) {
    model_.Toolbar1_ButtonClick(id - kToolbarCommandBase);
  }
}

bool MainWindow::NotifyTray(DWORD action) {
  if (!tray_owner_.hwnd()) return false;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = tray_owner_.hwnd();
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = tray_icon_.get();
  // The tip follows the caption, whatever it says now.
  wchar_t caption[64] = L"";
  if (hwnd()) GetWindowTextW(hwnd(), caption, 64);
  const std::wstring tip = win32::Widen(TrayTip(win32::Narrow(caption)));
  lstrcpynW(data.szTip, tip.c_str(), static_cast<int>(std::size(data.szTip)));
  return Shell_NotifyIconW(action, &data) != FALSE;
}

WindowHandle MainWindow::Handle() {
  return reinterpret_cast<WindowHandle>(hwnd());
}

void MainWindow::AddTrayIcon() {
  NotifyTray(NIM_ADD);
  // Kept even when the shell was not ready: it is added again when the
  // taskbar announces itself.
  tray_added_ = true;
}

void MainWindow::DeleteTrayIcon() {
  if (!tray_added_) return;
  NotifyTray(NIM_DELETE);
  tray_added_ = false;
}

void MainWindow::ApplyBarLayout(const BarLayout& layout) {
  menus_on_bar_ = layout.menus_visible;
  // Without the two menus the bar would be empty: it goes altogether. The
  // popups stay alive for the tray icon.
  SetMenu(hwnd(), menus_on_bar_ ? menu_bar_.get() : nullptr);
  const PixelSize size =
      ToPixels(layout.size, screen_.twips_per_pixel_x, screen_.twips_per_pixel_y);
  SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::MoveTo(const MainWindowTwips& position) {
  SetWindowPos(hwnd(), nullptr, TwipsToPixels(position.left, screen_.twips_per_pixel_x),
               TwipsToPixels(position.top, screen_.twips_per_pixel_y), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MainWindowTwips MainWindow::Position() {
  RECT rect{};
  if (hwnd()) GetWindowRect(hwnd(), &rect);
  return {rect.top * screen_.twips_per_pixel_y, rect.left * screen_.twips_per_pixel_x};
}

void MainWindow::SetShowHideState(const ShowHideState& state) {
  const MenuEntry* show = FindMenuEntry("mnuFileShow_Hide", 0);
  const MenuEntry* hide = FindMenuEntry("mnuFileShow_Hide", 1);
  if (show)
    EnableMenuItem(menu_bar_.get(), MenuCommandId(*show),
                   MF_BYCOMMAND | (state.show_enabled ? MF_ENABLED : MF_GRAYED));
  if (hide)
    EnableMenuItem(menu_bar_.get(), MenuCommandId(*hide),
                   MF_BYCOMMAND | (state.hide_enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::SetDisplayMenu(const std::vector<const MenuEntry*>& entries) {
  if (!display_menu_) return;
  while (GetMenuItemCount(display_menu_) > 0)
    DeleteMenu(display_menu_, 0, MF_BYPOSITION);
  for (const MenuEntry* entry : entries)
    AppendEntry(display_menu_, *entry);
  if (hwnd() && menus_on_bar_) DrawMenuBar(hwnd());
}

void MainWindow::AppendSettingsToSystemMenu() {
  HMENU system = GetSystemMenu(hwnd(), FALSE);
  if (!system) return;
  AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(system, MF_STRING, kSettingsSystemCommand,
              win32::Widen(kSettingsSystemCaption).c_str());
}

void MainWindow::Show() {
  if (!hwnd()) return;
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void MainWindow::Hide() {
  if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

void MainWindow::MakeTopmost() {
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::ShowPopup(int menu_position) {
  HMENU popup = menu_position == kGeneralMenuPosition   ? general_menu_
                : menu_position == kDisplayMenuPosition ? display_menu_
                                                        : nullptr;
  if (!popup || !hwnd()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  // The menu only closes on a click elsewhere when its owner is in front,
  // even while the owner itself is hidden.
  SetForegroundWindow(hwnd());
  TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, hwnd(), nullptr);
  // Lets the menu close when the user switches away before choosing.
  PostMessageW(hwnd(), WM_NULL, 0, 0);
}

void MainWindow::Close() {
  if (hwnd()) SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void MainWindow::Destroy() {
  if (!hwnd()) return;
  KillTimer(hwnd(), kTimerId);
  // The window would destroy an attached menu bar with itself; ours owns it.
  SetMenu(hwnd(), nullptr);
  DestroyWindow(hwnd());
}

void MainWindow::OnDestroyed() {
  toolbar_ = nullptr;
  if (on_destroyed_) on_destroyed_();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lparam));
    case WM_ERASEBKGND: {
      // Below the toolbar, at the heights that hide it, the bar shows the
      // face colour rather than whatever was there.
      RECT client{};
      GetClientRect(hwnd(), &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_SIZE:
      if (toolbar_) SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) model_.Form_Activate();
      return WindowBase::HandleMessage(message, wparam, lparam);
    case WM_TIMER:
      if (wparam == kTimerId) model_.Timer1_Timer();
      return 0;
    case WM_SYSCOMMAND:
      // Compared whole: 1000 is an item of ours, not a system command with
      // flag bits in its low nibble.
      model_.OnSystemCommand(static_cast<std::uint64_t>(wparam));
      return WindowBase::HandleMessage(message, wparam, lparam);
    case WM_CLOSE:
      model_.Form_QueryUnload();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Windows ends the process soon after this returns: the orderly end
      // has to be complete by then.
      if (wparam) model_.Form_QueryUnload();
      return 0;
    default:
      return WindowBase::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace banchiro::ui
