#include "app/win32/splash_window.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "res/resource.h"

namespace banchiro::ui {
namespace {

constexpr double kWidthTwips = 8775;
constexpr double kHeightTwips = 3765;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kShownMs = 5000;

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kLightYellow = RGB(255, 255, 192);

struct SplashText {
  const char* text;
  const char* face;
  bool bold;
  double points;
  COLORREF colour;
  double left, top, width, height;  // twips, client area
  double shadow;                    // offset of the black copy behind it, twips
};

const SplashText kTexts[] = {
    {"ばんちろ", "ＭＳ Ｐ明朝", true, 68.25, kYellow, 2130, 300, 5505, 1425, 150},
    {"君", "ＭＳ Ｐ明朝", true, 18, kYellow, 7680, 1230, 405, 375, 150},
    {"Ver.6.6.0", "Times New Roman", false, 18, kLightYellow, 630, 1260, 1365, 405, 120},
    {"for  Windows 98/Me/NT/2000/XP", "Times New Roman", false, 20.25, kYellow, 480, 1860, 5685,
     465, 150},
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

  for (const SplashText& t : kTexts) {
    win32::UniqueFont font(
        CreateFontW(-screen_.FontPixels(t.points), 0, 0, 0, t.bold ? FW_BOLD : FW_NORMAL, FALSE,
                    FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    ANTIALIASED_QUALITY, DEFAULT_PITCH, win32::Widen(t.face).c_str()));
    HGDIOBJ old = SelectObject(dc, font.get());
    const std::wstring text = win32::Widen(t.text);
    // The black shadow first, then the coloured copy over it.
    for (const bool shadow : {true, false}) {
      const double dx = shadow ? t.shadow : 0;
      RECT r{X(t.left + dx), Y(t.top + dx), X(t.left + dx + t.width), Y(t.top + dx + t.height)};
      SetTextColor(dc, shadow ? RGB(0, 0, 0) : t.colour);
      DrawTextW(dc, text.c_str(), -1, &r, DT_LEFT | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
    }
    SelectObject(dc, old);
  }

  if (HICON icon = static_cast<HICON>(
          LoadImageW(instance_, MAKEINTRESOURCEW(IDI_BANCHIRO), IMAGE_ICON, 32, 32, 0))) {
    DrawIconEx(dc, X(480), Y(450), icon, X(480), Y(480), 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
  }

  // A white frame 90 twips inside the edge and a rule near the bottom.
  win32::UniqueHandle<win32::GdiObjectTraits<HPEN>> pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  HGDIOBJ old_pen = SelectObject(dc, pen.get());
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, X(90), Y(90), X(8580), Y(3570));
  MoveToEx(dc, X(210), Y(3060), nullptr);
  LineTo(dc, X(8460), Y(3060));
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
}

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      Paint(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_TIMER:
      if (wparam == kTimerId) {
        KillTimer(hwnd(), kTimerId);
        DestroyWindow(hwnd());
      }
      return 0;
  }
  return WindowBase::HandleMessage(message, wparam, lparam);
}

}  // namespace banchiro::ui
