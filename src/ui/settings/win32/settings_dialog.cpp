#include "ui/settings/win32/settings_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include "platform/win32/utf.h"
#include "platform/win32/win32_help.h"
#include "ui/settings/dialog_controls.h"

namespace banchiro::ui {

using K = ControlKind;
using R = ControlRole;

SettingsDialog::SettingsDialog(Platform& platform, Settings& settings, BarWindow& bar,
                               HINSTANCE instance, SettingsDialogHooks hooks)
    : platform_(platform),
      instance_(instance),
      model_(platform, settings, bar, *this, std::move(hooks)) {}

void SettingsDialog::Open(HWND owner) {
  if (open()) {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    return;
  }
  screen_ = platform_.screen.Metrics();
  RegisterClassOnce(instance_, kSettingsClassName, nullptr);
  // Without WS_CLIPCHILDREN: the window paints the face inside the frames,
  // which the tab control beneath them leaves out.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_TOPMOST;
  RECT frame{0, 0, screen_.XPixels(kSettingsWidthTwips), screen_.YPixels(kSettingsHeightTwips)};
  AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (!CreateFor(ex_style, kSettingsClassName, win32::Widen(kSettingsCaption).c_str(), style,
                 (screen_.width_px - width) / 2, (screen_.height_px - height) / 2, width, height,
                 owner, instance_)) {
    return;
  }
  CreateControls();
  model_.Form_Load();
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(hwnd());
  if (model_.state().tab == 1) FocusNewTitle();
}

void SettingsDialog::Unload() {
  if (open()) DestroyWindow(hwnd());
  controls_.clear();
  shown_.clear();
  tips_.clear();
  tooltip_ = nullptr;
}

bool SettingsDialog::TranslateDialogKey(MSG& message) {
  if (!open() || (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))) return false;
  return IsDialogMessageW(hwnd(), &message) != FALSE;
}

int SettingsDialog::IndexOf(HWND control) const {
  for (int i = 0; i < static_cast<int>(controls_.size()); ++i) {
    if (controls_[i] == control) return i;
  }
  return -1;
}

void SettingsDialog::Render(const SettingsDialogState& s) {
  const auto& table = SettingsDialogControls();
  shown_.resize(controls_.size());
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const DialogControl& c = table[i];
    HWND control = controls_[i];
    const ControlShows want = WhatControlShows(s, c);
    const bool visible = c.tab < 0 || c.tab == s.tab;
    Shown& was = shown_[i];
    if (!was.valid || was.visible != visible) ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
    // Boxes, option buttons, lists and text boxes change themselves when
    // used; everything else is touched only when it changed, so that a
    // spinner's click never waits on a redraw of the whole dialog.
    const bool changed = !was.valid || was.value != want.value || was.text != want.text;
    switch (c.kind) {
      case K::kTabs:
        if (changed) SendMessageW(control, TCM_SETCURSEL, want.value, 0);
        break;
      case K::kCheck:
      case K::kOption:
        SendMessageW(control, BM_SETCHECK, want.value ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case K::kValue:
        if (changed) SetWindowTextW(control, win32::Widen(want.text).c_str());
        break;
      case K::kSpin:
        if (changed) SendMessageW(control, UDM_SETPOS32, 0, want.value);
        break;
      case K::kScroll:
        if (changed) SetScrollPos(control, SB_CTL, want.value, TRUE);
        break;
      case K::kEdit:
        if (Text(control) != want.text) SetWindowTextW(control, win32::Widen(want.text).c_str());
        break;
      case K::kList:
        if (!was.valid || was.text != want.text) FillList(control, want.text);
        SendMessageW(control, LB_SETCURSEL, want.value, 0);
        break;
      case K::kCombo:
        SendMessageW(control, CB_SETCURSEL, want.value, 0);
        break;
      case K::kColour:
        if (changed) InvalidateRect(control, nullptr, TRUE);
        break;
      default:
        break;
    }
    was = {visible, want.value, want.text, true};
  }
}

std::string SettingsDialog::Text(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return win32::Narrow(text);
}

void SettingsDialog::FillList(HWND list, const std::string& lines) {
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (std::size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::wstring line = win32::Widen(lines.substr(start, end - start));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
}

void SettingsDialog::ShowHelp(const std::string& file, int context) {
  win32::ShowHelp(hwnd(), platform_.system, file, HelpRequest::kContext, context);
}

void SettingsDialog::FocusNewTitle() {
  const auto& table = SettingsDialogControls();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (table[i].role == R::kNewTitle) SetFocus(controls_[i]);
  }
}

std::optional<std::uint32_t> SettingsDialog::ChooseColour(std::uint32_t colour) {
  static COLORREF custom[16] = {};
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = hwnd();
  choose.rgbResult = colour;
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  const bool chosen = ChooseColorW(&choose) != FALSE;
  // Back in front, whatever the user did there.
  SetForegroundWindow(hwnd());
  if (!chosen) return std::nullopt;
  return static_cast<std::uint32_t>(choose.rgbResult & 0xFFFFFF);
}

void SettingsDialog::OnCommand(int id, int code, HWND control) {
  if ((id == IDOK || id == IDCANCEL) && code == BN_CLICKED) {
    model_.Command1_Click(id == IDOK ? 0 : 1);
    return;
  }
  const int i = IndexOf(control);
  if (i < 0) return;
  const DialogControl& c = SettingsDialogControls()[i];
  if (c.kind == K::kEdit && code == EN_CHANGE) {
    model_.Text1_Change(Text(control));
  } else if (c.kind == K::kList && code == LBN_SELCHANGE) {
    model_.List1_Click(static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0)));
  } else if (c.kind == K::kCombo && code == CBN_SELCHANGE) {
    model_.Combo1_Click(c.index, static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
  } else if (code == BN_CLICKED) {
    if (c.role == R::kCommand) return model_.Command1_Click(c.index);
    if (c.role == R::kCustomize) return model_.Command2_Click();
    if (c.role == R::kTitleCommand) return model_.Command4_Click(c.index);
    if (c.role == R::kColour) return model_.Command3_Click(c.index);
    TickControl(model_, c, SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
  }
}

LRESULT SettingsDialog::OnNotify(const NMHDR& header) {
  if (header.code == TCN_SELCHANGE) {
    model_.SSTab1_Click(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
    return 0;
  }
  if (header.code == UDN_DELTAPOS) {
    const int i = IndexOf(header.hwndFrom);
    if (i < 0) return TRUE;
    const DialogControl& c = SettingsDialogControls()[i];
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    // The model decides the new value (and wraps the clock); the control
    // only reports the step.
    const int now = WhatControlShows(model_.state(), c).value;
    SpinControl(model_, c, RangeOf(c.role).Clamp(now + change.iDelta));
    return TRUE;
  }
  return 0;
}

void SettingsDialog::OnScroll(HWND bar, int request) {
  // The up-down controls report here too, after their UDN_DELTAPOS.
  const int i = IndexOf(bar);
  if (i < 0 || SettingsDialogControls()[i].kind != K::kScroll) return;
  const DialogControl& c = SettingsDialogControls()[i];
  int value = WhatControlShows(model_.state(), c).value;
  switch (request) {
    case SB_LINEUP:
    case SB_PAGEUP:
      --value;
      break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
      ++value;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(bar, SB_CTL, &info);
      value = info.nTrackPos;
      break;
    }
    default:
      return;
  }
  SpinControl(model_, c, RangeOf(c.role).Clamp(value));
}

void SettingsDialog::DrawColour(const DRAWITEMSTRUCT& item) {
  const int i = IndexOf(item.hwndItem);
  if (i < 0) return;
  const int colour = WhatControlShows(model_.state(), SettingsDialogControls()[i]).value;
  RECT r = item.rcItem;
  DrawEdge(item.hDC, &r, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED,
           BF_RECT | BF_ADJUST);
  win32::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(colour)));
  FillRect(item.hDC, &r, brush.get());
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &r);
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_VSCROLL:
      OnScroll(reinterpret_cast<HWND>(lparam), LOWORD(wparam));
      return 0;
    case WM_DRAWITEM:
      DrawColour(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // The controls stand on the tab's face colour, as on a dialog.
      SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      RECT client{};
      GetClientRect(hwnd(), &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      const TwipsRect& p = kSettingsPageTwips;
      RECT page{screen_.XPixels(p.left), screen_.YPixels(p.top), screen_.XPixels(p.left + p.width),
                screen_.YPixels(p.top + p.height)};
      DrawEdge(dc, &page, EDGE_RAISED, BF_RECT);
      return 1;
    }
    case WM_CLOSE:
      model_.Command1_Click(1);  // the close box is Cancel
      return 0;
  }
  return WindowBase::HandleMessage(message, wparam, lparam);
}

}  // namespace banchiro::ui
