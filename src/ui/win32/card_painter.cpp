#include "ui/win32/card_painter.h"

#include <string>

#include "platform/win32/gdi_guards.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "res/resource.h"

namespace banchiro::ui {

static_assert(kCardYellow == RGB(255, 255, 0) && kCardLightYellow == RGB(255, 255, 192) &&
              kCardGrey == RGB(128, 128, 128));

RECT PaintCardText(HDC dc, const ScreenMetrics& screen, const CardText& t) {
  win32::UniqueFont font(
      CreateFontW(-screen.FontPixels(t.points), 0, 0, 0, t.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  ANTIALIASED_QUALITY, DEFAULT_PITCH, win32::Widen(t.face).c_str()));
  const win32::SelectedObject selected(dc, font.get());
  const std::wstring text = win32::Widen(t.text);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  const int left = screen.XPixels(t.left), top = screen.YPixels(t.top);
  const RECT area{left, top, t.width > 0 ? screen.XPixels(t.left + t.width) : left + size.cx,
                  t.height > 0 ? screen.YPixels(t.top + t.height) : top + size.cy};
  SetBkMode(dc, TRANSPARENT);
  const bool shadowed = t.shadow_dx != 0 || t.shadow_dy != 0;
  for (const bool shadow : {true, false}) {
    if (shadow && !shadowed) continue;
    RECT r = area;
    if (shadow) OffsetRect(&r, screen.XPixels(t.shadow_dx), screen.YPixels(t.shadow_dy));
    SetTextColor(dc, shadow ? RGB(0, 0, 0) : static_cast<COLORREF>(t.colour));
    DrawTextW(dc, text.c_str(), -1, &r, DT_LEFT | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
  }
  return area;
}

void PaintCardIcon(HDC dc, const ScreenMetrics& screen, HINSTANCE instance, double left, double top,
                   double size) {
  if (const win32::UniqueIcon icon(static_cast<HICON>(
          LoadImageW(instance, MAKEINTRESOURCEW(IDI_BANCHIRO), IMAGE_ICON, 32, 32, 0)));
      icon) {
    DrawIconEx(dc, screen.XPixels(left), screen.YPixels(top), icon.get(), screen.XPixels(size),
               screen.YPixels(size), 0, nullptr, DI_NORMAL);
  }
}

void PaintCardFrame(HDC dc, const ScreenMetrics& screen, double width, double height, double inset,
                    double rule_top) {
  const auto x = [&](double twips) { return screen.XPixels(twips); };
  const auto y = [&](double twips) { return screen.YPixels(twips); };
  win32::UniqueHandle<win32::GdiObjectTraits<HPEN>> pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  const win32::SelectedObject pen_selected(dc, pen.get());
  const win32::SelectedObject brush_selected(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, x(inset), y(inset), x(width - inset), y(height - inset));
  MoveToEx(dc, x(inset + 120), y(rule_top), nullptr);
  LineTo(dc, x(width - inset - 120), y(rule_top));
}

}  // namespace banchiro::ui
