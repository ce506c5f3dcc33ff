#include "app/win32/splash_window.h"

#include "banchiro_version.h"
#include "platform/win32/dpi.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/card_painter.h"

namespace banchiro::ui {
namespace {

constexpr double kWidthTwips = 8775;
constexpr double kHeightTwips = 3765;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kShownMs = 5000;

// The black shadows lie 150 twips right and below (120 for the version).
const CardText kTexts[] = {
    {"ばんちろ", "ＭＳ Ｐ明朝", 68.25, true, kCardYellow, 2130, 300, 5505, 1425, 150, 150},
    {"君", "ＭＳ Ｐ明朝", 18, true, kCardYellow, 7680, 1230, 405, 375, 150, 150},
    {"Ver." BANCHIRO_VERSION_TEXT, "Times New Roman", 18, false, kCardLightYellow, 630, 1260, 1365,
     405, 120, 120},
    {"for  Windows 98/Me/NT/2000/XP", "Times New Roman", 20.25, false, kCardYellow, 480, 1860, 5685,
     465, 150, 150},
};

}  // namespace

SplashWindow::SplashWindow(HINSTANCE instance, const ScreenMetrics& screen)
    : instance_(instance), screen_(screen) {}

int SplashWindow::X(double twips) const {
  return screen_.XPixels(twips);
}
int SplashWindow::Y(double twips) const {
  return screen_.YPixels(twips);
}

void SplashWindow::ShowModal() {
  RegisterClassOnce(instance_, kSplashClassName, nullptr);
  const int width = X(kWidthTwips);
  const int height = Y(kHeightTwips);
  // A thin dialog frame and no title bar. An owned tool window has no
  // taskbar button on any shell (Wine's taskbar shows unowned tool windows).
  HWND owner = CreateHiddenOwner(instance_);
  if (!CreateFor(WS_EX_TOOLWINDOW, kSplashClassName, L"", WS_POPUP | WS_DLGFRAME,
                 (screen_.width_px - width) / 2, (screen_.height_px - height) / 2, width, height,
                 owner, instance_)) {
    if (owner) DestroyWindow(owner);
    return;
  }
  SetTimer(hwnd(), kTimerId, kShownMs, nullptr);
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  UpdateWindow(hwnd());
  MSG message;
  while (hwnd() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (owner) DestroyWindow(owner);
}

void SplashWindow::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  win32::UniqueBrush grey(CreateSolidBrush(RGB(128, 128, 128)));
  FillRect(dc, &client, grey.get());
  SetBkMode(dc, TRANSPARENT);

  for (const CardText& t : kTexts)
    PaintCardText(dc, screen_, t);

  PaintCardIcon(dc, screen_, instance_, 480, 450, 480);

  // A white frame 90 twips inside the edge and a rule near the bottom.
  PaintCardFrame(dc, screen_, kWidthTwips, kHeightTwips, 90, 3060);
}

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam == kTimerId) {
        KillTimer(hwnd(), kTimerId);
        DestroyWindow(hwnd());
      }
      return 0;
    case WM_DPICHANGED:
      // Painted whole at the scale of screen_.
      screen_ = win32::MetricsAt(screen_, win32::TakeSuggestedRect(hwnd(), wparam, lparam));
      InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
  }
  return WindowBase::HandleMessage(message, wparam, lparam);
}

}  // namespace banchiro::ui
