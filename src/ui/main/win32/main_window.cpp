#include "ui/main/win32/main_window.h"

#include "platform/win32/dpi.h"
#include "platform/win32/hwnd.h"
#include "platform/win32/utf.h"
#include "res/resource.h"

namespace banchiro::ui {

// An item of the program's own on the system menu lies below the system's
// commands (SC_SIZE and up).
static_assert(kSettingsSystemCommand < SC_SIZE);

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT_PTR kTrayRetryTimerId = 2;

// The outer height AdjustWindowRectEx gives a window of this style around a
// client area of no height, at a DPI (Windows 10 from 1607 on; elsewhere at
// the system's own).
int FrameHeight(HWND window, BOOL menu, int dpi) {
  using ForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto for_dpi = reinterpret_cast<ForDpi>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  RECT rect{};
  if (!for_dpi || !for_dpi(&rect, style, menu, ex_style, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rect, style, menu, ex_style);
  return rect.bottom - rect.top;
}

}  // namespace

MainWindow::MainWindow(Platform& platform, SystemSession& session, Settings& settings,
                       Resident& resident, MainWindowRoutines routines, HINSTANCE instance)
    : platform_(platform),
      instance_(instance),
      model_(platform, session, settings, resident, *this, std::move(routines)),
      tray_(
          instance, [this](int event) { model_.OnTrayIconEvent(event); },
          [this] { model_.OnTaskbarCreated(); }) {}

MainWindow::~MainWindow() {
  tray_.Delete();
  Destroy();
}

bool MainWindow::Load() {
  if (loaded()) return true;
  screen_ = platform_.screen.Metrics();
  RegisterClassOnce(instance_, kMainClassName,
                    LoadIconW(instance_, MAKEINTRESOURCEW(IDI_BANCHIRO)));
  menus_.Build();
  // Fixed single border, no minimise or maximise box.
  if (!CreateFor(0, kMainClassName, win32::Widen(kMainCaption).c_str(),
                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 100, 100, nullptr,
                 instance_)) {
    return false;
  }
  SetMenu(hwnd(), menus_.bar());
  dpi_ = win32::WindowDpi(hwnd());
  toolbar_.Create(hwnd(), instance_, dpi_);
  SetTimer(hwnd(), kTimerId, kMainTimerMs, nullptr);
  model_.Load();
  return true;
}

void MainWindow::OnCommand(int id) {
  if (const MenuEntry* item = MenuEntryForCommand(id)) {
    model_.OnMenuItem(*item);
  } else if (const auto button = ToolbarButtonForCommand(id)) {
    model_.OnToolbarButton(*button);
  }
}

void MainWindow::OnDpiChanged(int dpi) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  toolbar_.SetDpi(dpi);
  model_.ApplyBarLayout(model_.layout());
}

WindowHandle MainWindow::Handle() {
  return win32::FromHwnd(hwnd());
}

bool MainWindow::AddTrayIcon() {
  // The tip follows the caption, whatever it says now.
  wchar_t caption[64] = L"";
  if (hwnd()) GetWindowTextW(hwnd(), caption, 64);
  return tray_.Add(win32::Widen(TrayTip(win32::Narrow(caption))));
}

void MainWindow::SetTrayRetry(bool on) {
  if (!hwnd()) return;
  if (on) {
    SetTimer(hwnd(), kTrayRetryTimerId, kTrayRetryIntervalMs, nullptr);
  } else {
    KillTimer(hwnd(), kTrayRetryTimerId);
  }
}

BarMetrics MainWindow::MeasureBar(int dpi) {
  BarMetrics metrics;
  if (!hwnd()) return metrics;
  metrics.frame_height = FrameHeight(hwnd(), FALSE, dpi);
  metrics.menu_height = FrameHeight(hwnd(), TRUE, dpi) - metrics.frame_height;
  RECT toolbar{};
  toolbar_.AutoSize();
  if (toolbar_.hwnd()) GetWindowRect(toolbar_.hwnd(), &toolbar);
  metrics.toolbar_height = toolbar.bottom - toolbar.top;
  return metrics;
}

void MainWindow::SetBar(bool menus_visible, const PixelSize& size) {
  menus_on_bar_ = menus_visible;
  // Without the two menus the bar would be empty: it goes altogether. The
  // popups stay alive for the tray icon.
  SetMenu(hwnd(), menus_on_bar_ ? menus_.bar() : nullptr);
  SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int MainWindow::ClientHeight() {
  RECT client{};
  if (hwnd()) GetClientRect(hwnd(), &client);
  return client.bottom;
}

void MainWindow::MoveTo(const TwipsPoint& position) {
  SetWindowPos(hwnd(), nullptr, screen_.XPixels(position.left), screen_.YPixels(position.top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TwipsPoint MainWindow::Position() {
  RECT rect{};
  if (hwnd()) GetWindowRect(hwnd(), &rect);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (hwnd() && IsIconic(hwnd()) && GetWindowPlacement(hwnd(), &placement)) {
    // Minimised from its taskbar button, the bar stands far off screen; its
    // place is the one it comes back to, given in workspace coordinates:
    // from the top-left of its monitor's work area.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    rect = placement.rcNormalPosition;
    OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  }
  return {screen_.YTwips(rect.top), screen_.XTwips(rect.left)};
}

void MainWindow::SetDisplayMenu(const std::vector<const MenuEntry*>& entries) {
  menus_.SetDisplayMenu(entries);
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
  // Hidden while minimised, it would come back as a taskbar button only.
  if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  SetForegroundWindow(hwnd());
}

void MainWindow::Hide() {
  if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

void MainWindow::MakeTopmost() {
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::ShowPopup(int menu_position) {
  HMENU popup = menus_.popup(menu_position);
  if (!popup || !hwnd()) return;
  POINT at{};
  GetCursorPos(&at);
  if (tray_.keyboard_anchor()) at = *tray_.keyboard_anchor();
  // The menu only closes on a click elsewhere when its owner is in front,
  // even while the owner itself is hidden.
  SetForegroundWindow(hwnd());
  TrackPopupMenu(popup, 0, at.x, at.y, 0, hwnd(), nullptr);
  // Lets the menu close when the user switches away before choosing.
  PostMessageW(hwnd(), WM_NULL, 0, 0);
}

void MainWindow::Close() {
  if (hwnd()) SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void MainWindow::Destroy() {
  if (!hwnd()) return;
  KillTimer(hwnd(), kTimerId);
  KillTimer(hwnd(), kTrayRetryTimerId);
  // The window would destroy an attached menu bar with itself; ours owns it.
  SetMenu(hwnd(), nullptr);
  DestroyWindow(hwnd());
}

void MainWindow::OnDestroyed() {
  toolbar_.Forget();
  if (on_destroyed_) on_destroyed_();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return 0;
    case WM_NOTIFY:
      return toolbar_.OnNotify(reinterpret_cast<NMHDR*>(lparam));
    case WM_ERASEBKGND: {
      // Below the toolbar, at the heights that hide it, the bar shows the
      // face colour rather than whatever was there.
      RECT client{};
      GetClientRect(hwnd(), &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_SIZE:
      toolbar_.AutoSize();
      return 0;
    case WM_SETTINGCHANGE:
      // A new caption or menu size (larger text, another theme) would cut
      // the toolbar off or leave a strip below it.
      if (wparam == SPI_SETNONCLIENTMETRICS) model_.ApplyBarLayout(model_.layout());
      return WindowBase::HandleMessage(message, wparam, lparam);
    case WM_DPICHANGED:
      OnDpiChanged(win32::TakeSuggestedRect(hwnd(), wparam, lparam));
      return 0;
    case WM_INITMENUPOPUP:
      if (reinterpret_cast<HMENU>(wparam) == menus_.popup(kDisplayMenuPosition)) {
        model_.OnDisplayMenuOpening();
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) model_.OnActivate();
      return WindowBase::HandleMessage(message, wparam, lparam);
    case WM_TIMER:
      if (wparam == kTimerId) model_.OnClockTick();
      if (wparam == kTrayRetryTimerId) model_.OnTrayRetryTick();
      return 0;
    case WM_SYSCOMMAND:
      // Compared whole: 1000 is an item of ours, not a system command with
      // flag bits in its low nibble.
      model_.OnSystemCommand(static_cast<std::uint64_t>(wparam));
      return WindowBase::HandleMessage(message, wparam, lparam);
    case WM_CLOSE:
      model_.OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Windows ends the process soon after this returns: the orderly end
      // has to be complete by then.
      model_.OnSessionEnd(wparam != FALSE);
      return 0;
    default:
      return WindowBase::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace banchiro::ui
