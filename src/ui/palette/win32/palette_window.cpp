#include "ui/palette/win32/palette_window.h"

#include <windowsx.h>

#include <utility>

#include "common/function_keys.h"
#include "common/numbers.h"
#include "platform/win32/dpi.h"
#include "platform/win32/utf.h"

namespace banchiro::ui {
namespace {

// Colour settings are red + 256 green + 65536 blue, which is COLORREF's layout.
COLORREF ToColorRef(std::uint32_t value) {
  return static_cast<COLORREF>(value & 0xFFFFFF);
}

}  // namespace

PaletteWindow::PaletteWindow(Platform& platform, Settings& settings, HINSTANCE instance)
    : platform_(platform), settings_(settings), instance_(instance) {}

PaletteWindow::~PaletteWindow() {
  Unload();
  if (owner_) DestroyWindow(owner_);
}

void PaletteWindow::ReadColours() {
  ReloadPaletteColours(settings_, platform_.store);
  text_colour_ = ToColorRef(PaletteColour(settings_, 0));
  back_colour_ = ToColorRef(PaletteColour(settings_, 1));
  background_.reset(CreateSolidBrush(back_colour_));
}

win32::UniqueFont PaletteWindow::MakeFont(int points) const {
  return win32::UniqueFont(CreateFontW(-scale_.FontPixels(points), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                       FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                       win32::Widen(kPaletteFontFace).c_str()));
}

bool PaletteWindow::Load() {
  if (loaded()) return true;
  ReadColours();
  screen_ = platform_.screen.Metrics();
  scale_ = screen_;
  layout_ = PaletteLayoutFor(screen_.width_twips());

  RegisterClassOnce(instance_, kPaletteClassName, nullptr);
  const TwipsPoint stored = PalettePosition(settings_, screen_);
  const TwipsPoint position =
      OntoAWorkArea({stored.left, stored.top, static_cast<double>(PaletteWidthTwips(layout_)),
                     static_cast<double>(kPaletteHeightTwips)},
                    screen_, platform_.screen.WorkAreas());
  // An owned tool window gets no taskbar button on any shell (Wine's taskbar
  // shows unowned tool windows too); WS_POPUP without WS_CAPTION has no
  // border and no caption, so the client area is the whole window.
  if (!owner_) owner_ = CreateHiddenOwner(instance_);
  if (!CreateFor(WS_EX_TOOLWINDOW, kPaletteClassName, win32::Widen(kPaletteCaption).c_str(),
                 WS_POPUP, screen_.XPixels(position.left), screen_.YPixels(position.top), 0, 0,
                 owner_, instance_)) {
    return false;
  }
  CreateTiles();
  // Sized at the scale of the monitor it opened on.
  ApplyScale(win32::WindowDpi(hwnd()));
  return true;
}

void PaletteWindow::ApplyScale(int dpi) {
  scale_ = win32::MetricsAt(screen_, dpi);
  SetWindowPos(hwnd(), nullptr, 0, 0, scale_.XPixels(PaletteWidthTwips(layout_)),
               scale_.YPixels(kPaletteHeightTwips), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The tiles take the new fonts before the old ones go.
  win32::UniqueFont name_font = MakeFont(layout_.name_font_points);
  win32::UniqueFont key_font = MakeFont(layout_.key_font_points);
  const auto tiles = PaletteRegionRects(layout_, scale_);
  for (int i = 0; i < 2 * kPaletteSlots; ++i) {
    const bool name = i < kPaletteSlots;
    HWND tile = GetDlgItem(hwnd(), name ? kNameTileId + i : kKeyTileId + i - kPaletteSlots);
    const PixelRect& r = tiles[i];
    MoveWindow(tile, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    SendMessageW(tile, WM_SETFONT,
                 reinterpret_cast<WPARAM>(name ? name_font.get() : key_font.get()), FALSE);
  }
  name_font_ = std::move(name_font);
  key_font_ = std::move(key_font);
  // Cut the window to the union of its tiles; the system owns the region.
  win32::UniqueRegion shape;
  for (const PixelRect& r : tiles) {
    HRGN tile = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    if (!shape) {
      shape.reset(tile);
    } else {
      CombineRgn(shape.get(), shape.get(), tile, RGN_OR);
      DeleteObject(tile);
    }
  }
  if (SetWindowRgn(hwnd(), shape.get(), TRUE)) shape.release();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void PaletteWindow::Show() {
  if (!Load()) return;
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  // A program started in the background may not be given the activation,
  // and the palette must be filled and in front all the same.
  OnActivate();
  UpdateWindow(hwnd());
}

void PaletteWindow::Unload() {
  if (loaded()) DestroyWindow(hwnd());
}

void PaletteWindow::OnActivate() {
  const auto names = NameTileCaptions(settings_);
  for (int i = 0; i < kPaletteSlots; ++i) {
    SetDlgItemTextW(hwnd(), kNameTileId + i, win32::Widen(names[i]).c_str());
  }
  if (PaletteInFront(settings_)) {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void PaletteWindow::CreateTiles() {
  // Placed and given their fonts by ApplyScale: name tiles, then keys.
  for (int i = 0; i < kPaletteSlots; ++i) {
    // Static controls pass mouse input through to the palette, which is what
    // lets any tile start a drag. Names may take two lines from the top; key
    // captions are one line, centred in their short tile.
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, 0, 0, 0,
                    hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNameTileId + i)),
                    instance_, nullptr);
    CreateWindowExW(0, L"STATIC", win32::Widen(HotKeyCaption(i + 1)).c_str(),
                    WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0, 0, 0, 0,
                    hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kKeyTileId + i)),
                    instance_, nullptr);
  }
}

void PaletteWindow::StorePosition() {
  RECT r{};
  GetWindowRect(hwnd(), &r);
  StorePalettePosition(settings_, platform_.store, {screen_.YTwips(r.top), screen_.XTwips(r.left)});
}

void PaletteWindow::OnDestroyed() {
  if (on_destroyed_) on_destroyed_();
}

LRESULT PaletteWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) OnActivate();
      break;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, text_colour_);
      SetBkColor(dc, back_colour_);
      return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_MOUSEMOVE:
      // Moving with the left button alone held drags (a plain click changes
      // nothing); the system then moves the window as if by its caption.
      if (wparam == MK_LBUTTON) {
        ReleaseCapture();
        SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
      }
      return 0;
    case WM_DPICHANGED:
      ApplyScale(win32::TakeSuggestedRect(hwnd(), wparam, lparam));
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam && on_session_end_) on_session_end_();
      return 0;
    case WM_DESTROY:
      StorePosition();
      return 0;
  }
  return WindowBase::HandleMessage(message, wparam, lparam);
}

}  // namespace banchiro::ui
