#include "ui/version/win32/version_dialog.h"

#include <windowsx.h>

#include <cstdint>
#include <utility>

#include "platform/win32/dpi.h"
#include "platform/win32/hwnd.h"
#include "platform/win32/utf.h"
#include "ui/win32/card_painter.h"

namespace banchiro::ui {

static_assert(kContactAtRest == RGB(192, 255, 192) && kContactLit == RGB(0, 255, 0));

namespace {

using win32::FromHwnd;
using win32::ToHwnd;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
// The OK button, in twips; the frame's inset and the rule under the version.
constexpr double kOkLeft = 4560, kOkTop = 3300, kOkWidth = 1095, kOkHeight = 375;
constexpr double kFrameInset = 60, kRuleTop = 1800;
constexpr double kIconLeft = 840, kIconTop = 270, kIconSize = 480;

}  // namespace

VersionDialog::VersionDialog(Platform& platform, Contacts contacts, std::string version,
                             HINSTANCE instance)
    : platform_(platform),
      instance_(instance),
      labels_(VersionLabels(contacts, version)),
      model_(platform, std::move(contacts), *this) {}

void VersionDialog::Show(HWND owner) {
  if (!model_.open()) owner_ = owner;
  model_.Show();
}

std::vector<ProgramWindow> VersionDialog::ProgramWindows() {
  std::vector<ProgramWindow> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM context) -> BOOL {
        if (IsWindowVisible(window)) {
          reinterpret_cast<std::vector<ProgramWindow>*>(context)->push_back(
              {FromHwnd(window), IsWindowEnabled(window) != FALSE});
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void VersionDialog::EnableWindow(WindowHandle window, bool enable) {
  ::EnableWindow(ToHwnd(window), enable ? TRUE : FALSE);
}

bool VersionDialog::Create() {
  RegisterClassOnce(instance_, kVersionClassName, nullptr);
  screen_ = platform_.screen.Metrics();
  for (VersionLabel& label : labels_) {
    if (label.index >= kFirstContact && label.index < kFirstContact + kContactCount)
      label.look.colour = kContactAtRest;
  }
  RECT frame{0, 0, screen_.XPixels(kVersionWidthTwips), screen_.YPixels(kVersionHeightTwips)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  // Owned by the bar: no taskbar button, and above it (and so among the
  // topmost windows, over the settings dialog) while it is open.
  if (!CreateFor(kExStyle, kVersionClassName, win32::Widen(kVersionCaption).c_str(), kStyle,
                 (screen_.width_px - width) / 2, (screen_.height_px - height) / 2, width, height,
                 owner_, instance_)) {
    return false;
  }
  ok_ = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                        0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)),
                        instance_, nullptr);
  PlaceOkButton();
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
  SetFocus(ok_);
  return true;
}

void VersionDialog::PlaceOkButton() {
  MoveWindow(ok_, screen_.XPixels(kOkLeft), screen_.YPixels(kOkTop), screen_.XPixels(kOkWidth),
             screen_.YPixels(kOkHeight), FALSE);
  // The button takes the new font before the old one goes.
  win32::UniqueFont font(CreateFontW(
      -screen_.FontPixels(9), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"ＭＳ Ｐゴシック"));
  SendMessageW(ok_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  ok_font_ = std::move(font);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void VersionDialog::BringForward() {
  if (!hwnd()) return;
  SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(hwnd());
}

void VersionDialog::RunUntilClosed() {
  // The dialog's own loop serves every window of the thread, so the bar's
  // timer goes on ticking while it is open.
  MSG message{};
  while (hwnd() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(hwnd(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
}

void VersionDialog::Destroy() {
  if (hwnd()) DestroyWindow(hwnd());
}

WindowHandle VersionDialog::Handle() {
  return FromHwnd(hwnd());
}

void VersionDialog::OnDestroyed() {
  // Gone with its owner or by the system: the windows it disabled take
  // input again all the same.
  ok_ = nullptr;
  model_.Unload();
}

void VersionDialog::ShowContactColours(const std::array<std::uint32_t, kContactCount>& colours) {
  for (VersionLabel& label : labels_) {
    const int i = label.index - kFirstContact;
    if (i >= 0 && i < kContactCount) label.look.colour = colours[i];
  }
  for (const RECT& r : contact_rects_)
    InvalidateRect(hwnd(), &r, TRUE);
}

int VersionDialog::ContactAt(POINT point) const {
  for (int i = 0; i < kContactCount; ++i) {
    if (PtInRect(&contact_rects_[i], point)) return kFirstContact + i;
  }
  return -1;
}

void VersionDialog::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  win32::UniqueBrush grey(CreateSolidBrush(kCardGrey));
  FillRect(dc, &client, grey.get());
  for (const VersionLabel& label : labels_) {
    const RECT r = PaintCardText(dc, screen_, label.look);
    const int i = label.index - kFirstContact;
    if (i >= 0 && i < kContactCount) contact_rects_[i] = r;
  }
  PaintCardIcon(dc, screen_, instance_, kIconLeft, kIconTop, kIconSize);
  PaintCardFrame(dc, screen_, kVersionWidthTwips, kVersionHeightTwips, kFrameInset, kRuleTop);
}

LRESULT VersionDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE: {
      const int contact = ContactAt({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      if (contact < 0) {
        model_.HoverBackground();
      } else {
        model_.HoverContact(contact);
      }
      return 0;
    }
    case WM_SETCURSOR: {
      POINT point{};
      GetCursorPos(&point);
      ScreenToClient(hwnd(), &point);
      if (LOWORD(lparam) == HTCLIENT && ContactAt(point) >= 0) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_LBUTTONUP: {
      const int contact = ContactAt({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      if (contact >= 0) model_.OpenContact(contact);
      return 0;
    }
    case WM_COMMAND:
      // OK, Enter (IDOK) and Esc (IDCANCEL) all close it.
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) model_.OnOk();
      return 0;
    case WM_DPICHANGED:
      // The texts, the icon and the frame are painted at the scale of screen_.
      screen_ = win32::MetricsAt(screen_, win32::TakeSuggestedRect(hwnd(), wparam, lparam));
      PlaceOkButton();
      return 0;
    case WM_CLOSE:
      model_.Unload();
      return 0;
  }
  return WindowBase::HandleMessage(message, wparam, lparam);
}

}  // namespace banchiro::ui
