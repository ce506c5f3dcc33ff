#include "ui/settings/win32/settings_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include "platform/win32/dpi.h"
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
  model_.Load();
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(hwnd());
  if (model_.state().tab == 1) FocusNewTitle();
}

void SettingsDialog::Unload() {
  // The help viewer stood above the dialog only while the dialog was there.
  if (help_viewer_ && IsWindow(help_viewer_)) {
    SetWindowPos(help_viewer_, HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
  }
  help_viewer_ = nullptr;
  if (open()) DestroyWindow(hwnd());
  controls_.clear();
  shown_.clear();
  tips_.clear();
  tooltip_ = nullptr;
  last_focus_ = value_focus_ = nullptr;
}

bool SettingsDialog::TranslateDialogKey(MSG& message) {
  if (!open() || (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))) return false;
  const WPARAM key = message.wParam;
  if (message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 &&
      (key == VK_TAB || key == VK_NEXT || key == VK_PRIOR)) {
    model_.NextTab(key == VK_PRIOR || (key == VK_TAB && GetKeyState(VK_SHIFT) < 0));
    // The focus never stays on a control of the page that went.
    HWND focus = GetFocus();
    if (!focus || !IsWindowVisible(focus)) SetFocus(controls_[0]);
    ShowFocusedValue();
    return true;
  }
  // Up and down step the spinner that has the focus (it asks the dialog
  // manager for no keys of its own); a scroll bar takes them itself.
  const int focused = IndexOf(GetFocus());
  if (message.message == WM_KEYDOWN && (key == VK_UP || key == VK_DOWN) && focused >= 0 &&
      SettingsDialogControls()[focused].kind == K::kSpin) {
    StepControl(model_, SettingsDialogControls()[focused], key == VK_UP ? 1 : -1);
    return true;
  }
  const bool handled = IsDialogMessageW(hwnd(), &message) != FALSE;
  ShowFocusedValue();
  return handled;
}

void SettingsDialog::ShowFocusedValue() {
  // The arrows follow their value in the table; a focus that moved redraws
  // the values it left and reached (WM_CTLCOLORSTATIC marks the one).
  HWND focus = GetFocus();
  if (focus == value_focus_) return;
  for (HWND arrows : {value_focus_, focus}) {
    const int i = IndexOf(arrows);
    const K kind = i > 0 ? SettingsDialogControls()[i].kind : K::kFrame;
    if (kind == K::kSpin || kind == K::kScroll) InvalidateRect(controls_[i - 1], nullptr, TRUE);
  }
  value_focus_ = focus;
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
      case K::kScroll: {
        if (!changed) break;
        SetScrollPos(control, SB_CTL, want.value, TRUE);
        // Each bar greys the arrow that its share cannot follow further.
        const SpinRange range = RangeOf(c.role);
        EnableScrollBar(control, SB_CTL,
                        want.value <= range.min   ? ESB_DISABLE_UP
                        : want.value >= range.max ? ESB_DISABLE_DOWN
                                                  : ESB_ENABLE_BOTH);
        break;
      }
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
  const HelpTarget target =
      win32::ShowHelp(hwnd(), platform_.system, file, HelpRequest::kContext, context);
  // The viewer is a window of another process (asked without waiting on it).
  // The dialog stays above every other window, so the viewer joins it in the
  // topmost band, above it.
  HWND viewer = target.winhelp ? FindWindowW(L"MS_WINHELP", nullptr) : nullptr;
  if (!target.winhelp) {
    // The pages open in the browser, which cannot join the topmost band: the
    // dialog leaves it until the user comes back to it.
    SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (!viewer) return;
  help_viewer_ = viewer;
  SetWindowPos(viewer, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
  SetForegroundWindow(viewer);
}

void SettingsDialog::FocusNewTitle() {
  SetFocus(controls_.at(ControlIndex(K::kEdit, R::kNewTitle)));
}

void SettingsDialog::FocusKey(int method) {
  SetFocus(controls_.at(ControlIndex(K::kCombo, R::kKey, method)));
}

int SettingsDialog::DefaultButtonId() {
  const int button = DefaultButton(IndexOf(GetFocus()));
  return button < 0 ? IDOK : GetDlgCtrlID(controls_[button]);
}

void SettingsDialog::ShowDefaultButton() {
  const auto& table = SettingsDialogControls();
  const int id = DefaultButtonId();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (table[i].kind != K::kButton) continue;
    const LONG_PTR style = GetWindowLongPtrW(controls_[i], GWL_STYLE) & BS_TYPEMASK;
    const LONG_PTR want = GetDlgCtrlID(controls_[i]) == id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (style != want) SendMessageW(controls_[i], BM_SETSTYLE, want, TRUE);
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
    id == IDOK ? model_.OnOk() : model_.OnCancel();
    return;
  }
  const int i = IndexOf(control);
  if (i < 0) return;
  const DialogControl& c = SettingsDialogControls()[i];
  const bool button = c.kind == K::kButton;
  if ((!button && (code == EN_SETFOCUS || code == EN_KILLFOCUS)) ||
      (button && (code == BN_SETFOCUS || code == BN_KILLFOCUS))) {
    return ShowDefaultButton();
  }
  if (c.kind == K::kEdit && code == EN_CHANGE) {
    model_.SetNewTitle(Text(control));
  } else if (c.kind == K::kList && code == LBN_SELCHANGE) {
    model_.SelectTitle(static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0)));
  } else if (c.kind == K::kCombo && code == CBN_SELCHANGE) {
    model_.SetHotKey(c.index, static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
  } else if (code == BN_CLICKED || (button && code == BN_DOUBLECLICKED)) {
    // A push button tells its focus (BS_NOTIFY), and so a quick second
    // click as a double click.
    if (!PressButton(model_, c))
      TickControl(model_, c, SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
  }
}

LRESULT SettingsDialog::OnNotify(const NMHDR& header) {
  if (header.code == TCN_SELCHANGE) {
    model_.SelectTab(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
    return 0;
  }
  if (header.code == UDN_DELTAPOS) {
    const int i = IndexOf(header.hwndFrom);
    if (i < 0) return TRUE;
    const DialogControl& c = SettingsDialogControls()[i];
    // The model decides the new value (and wraps the clock); the control
    // only reports the step.
    StepControl(model_, c, reinterpret_cast<const NMUPDOWN&>(header).iDelta);
    return TRUE;
  }
  return 0;
}

void SettingsDialog::OnScroll(HWND bar, int request) {
  // The up-down controls report here too, after their UDN_DELTAPOS.
  const int i = IndexOf(bar);
  if (i < 0 || SettingsDialogControls()[i].kind != K::kScroll) return;
  const DialogControl& c = SettingsDialogControls()[i];
  const SpinRange range = RangeOf(c.role);
  switch (request) {
    case SB_LINEUP:
    case SB_PAGEUP:
      return StepControl(model_, c, -1);
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
      return StepControl(model_, c, +1);
    case SB_TOP:
      return SpinControl(model_, c, range.min);
    case SB_BOTTOM:
      return SpinControl(model_, c, range.max);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(bar, SB_CTL, &info);
      return SpinControl(model_, c, range.Clamp(info.nTrackPos));
    }
  }
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
    case WM_CTLCOLORSTATIC: {
      // The value whose arrows have the focus is marked as selected text is.
      const int i = IndexOf(reinterpret_cast<HWND>(lparam));
      if (i >= 0 && i + 1 < static_cast<int>(controls_.size()) && controls_[i + 1] == GetFocus() &&
          SettingsDialogControls()[i].kind == K::kValue) {
        SetTextColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_HIGHLIGHT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_HIGHLIGHT));
      }
      [[fallthrough]];
    }
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
    case DM_GETDEFID:
      return MAKELRESULT(DefaultButtonId(), DC_HASDEFID);
    case WM_ACTIVATE:
      // Back above every other window once the user returns from the help
      // pages; asynchronously, as a change of band inside activation would
      // activate again.
      if (LOWORD(wparam) != WA_INACTIVE && !(GetWindowLongW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
      }
      // The focus comes back to the control that had it, as in a dialog box
      // (after a message box, the colour dialog, another program).
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        last_focus_ = focus && IsChild(hwnd(), focus) ? focus : nullptr;
      } else if (last_focus_ && IsWindow(last_focus_) && IsWindowVisible(last_focus_)) {
        SetFocus(last_focus_);
        ShowFocusedValue();
        return 0;
      }
      break;
    case WM_DPICHANGED:
      screen_ = win32::MetricsAt(screen_, win32::TakeSuggestedRect(hwnd(), wparam, lparam));
      PlaceControls();
      return 0;
    case WM_CLOSE:
      model_.OnCancel();  // the close box is Cancel
      return 0;
  }
  return WindowBase::HandleMessage(message, wparam, lparam);
}

}  // namespace banchiro::ui
