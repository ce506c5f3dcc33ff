#include "ui/settings/win32/settings_dialog.h"

#include <commctrl.h>

#include "platform/win32/utf.h"

namespace banchiro::ui {
namespace {

using K = ControlKind;
using R = ControlRole;

constexpr int kFirstControlId = 1000;
constexpr wchar_t kFontFace[] = L"ＭＳ Ｐゴシック";
constexpr int kFontPoints = 9;

// Enter and Esc reach the dialog as the commands of OK and Cancel.
int ControlId(const DialogControl& c, int index) {
  if (c.role == R::kCommand && c.index == 0) return IDOK;
  if (c.role == R::kCommand && c.index == 1) return IDCANCEL;
  return kFirstControlId + index;
}

const wchar_t* ClassFor(K kind) {
  switch (kind) {
    case K::kTabs:
      return WC_TABCONTROLW;
    case K::kCaption:
    case K::kValue:
      return L"STATIC";
    case K::kSpin:
      return UPDOWN_CLASSW;
    case K::kScroll:
      return L"SCROLLBAR";
    default:
      return L"BUTTON";
  }
}

DWORD StyleFor(const DialogControl& c) {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  switch (c.kind) {
    case K::kTabs:
      return child | WS_TABSTOP | WS_CLIPSIBLINGS;
    case K::kButton:
      return child | WS_TABSTOP |
             (c.role == R::kCommand && c.index == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    case K::kCheck:
      return child | WS_TABSTOP | BS_AUTOCHECKBOX;
    case K::kOption:
      return child | BS_AUTORADIOBUTTON | (c.index == 0 ? WS_GROUP | WS_TABSTOP : 0);
    case K::kFrame:
      return child | BS_GROUPBOX;
    case K::kCaption:
      return child | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
    case K::kValue:
      // SS_NOTIFY: a static that ignores the mouse shows no tooltip.
      return child | SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | SS_NOPREFIX | SS_NOTIFY;
    case K::kSpin:
      return child;
    case K::kScroll:
      return child | SBS_VERT;
  }
  return child;
}

// The spinner range of a role.
SpinRange RangeOf(R role) {
  switch (role) {
    case R::kHour:
      return kHourRange;
    case R::kMinute:
      return kMinuteRange;
    case R::kCascade:
      return kCascadeRange;
    case R::kRatio:
      return kRatioRange;
    case R::kEdgeCount:
      return kIconCountRange;
    case R::kEdgeSize:
      return kIconSizeRange;
    default:
      return kAdjustmentRange;
  }
}

EdgePart PartOf(R role) {
  return role == R::kEdgeCount  ? EdgePart::kCount
         : role == R::kEdgeSize ? EdgePart::kSize
                                : EdgePart::kAdjustment;
}

std::string_view LabelOf(const SettingsDialogState& s, const DialogControl& c) {
  switch (c.role) {
    case R::kHour:
      return s.time.hour_label;
    case R::kMinute:
      return s.time.minute_label;
    case R::kCascade:
      return s.cascade_label;
    case R::kRatio:
      return s.ratio_label[c.index];
    case R::kEdgeCount:
    case R::kEdgeSize:
    case R::kEdgeAdjust:
      return s.edge_label[static_cast<int>(PartOf(c.role))][c.index];
    default:
      return {};
  }
}

}  // namespace

SettingsDialog::SettingsDialog(Platform& platform, Settings& settings, BarWindow& bar,
                               HINSTANCE instance)
    : platform_(platform), instance_(instance), model_(platform, settings, bar, *this) {}

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

void SettingsDialog::CreateControls() {
  font_.reset(CreateFontW(-screen_.FontPixels(kFontPoints), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH, kFontFace));
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                             0, 0, 0, hwnd(), nullptr, instance_, nullptr);
  const auto& table = SettingsDialogControls();
  for (int i = 0; i < static_cast<int>(table.size()); ++i) {
    const DialogControl& c = table[i];
    HWND control = CreateWindowExW(
        0, ClassFor(c.kind), win32::Widen(c.caption).c_str(), StyleFor(c),
        screen_.XPixels(c.rect.left), screen_.YPixels(c.rect.top), screen_.XPixels(c.rect.width),
        screen_.YPixels(c.rect.height), hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(c, i))), instance_, nullptr);
    controls_.push_back(control);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    if (c.kind == K::kTabs) {
      for (int t = 0; t < kSettingsTabCount; ++t) {
        std::wstring caption = win32::Widen(kSettingsTabCaptions[t]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(control, TCM_INSERTITEMW, t, reinterpret_cast<LPARAM>(&item));
      }
    }
    const SpinRange range = RangeOf(c.role);
    if (c.kind == K::kSpin) SendMessageW(control, UDM_SETRANGE32, range.min, range.max);
    if (c.kind == K::kScroll) SetScrollRange(control, SB_CTL, range.min, range.max, FALSE);
    if (!c.tooltip.empty() && tooltip_) {
      tips_.push_back(L" " + win32::Widen(c.tooltip) + L" ");
      TOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = hwnd();
      tool.uId = reinterpret_cast<UINT_PTR>(control);
      tool.lpszText = tips_.back().data();
      SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  // The frames, and beneath them the tab control, lie under the controls
  // they hold, or they would paint over them.
  for (int i = static_cast<int>(table.size()) - 1; i >= 0; --i) {
    if (table[i].kind == K::kFrame) {
      SetWindowPos(controls_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
  }
  SetWindowPos(controls_[0], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

int SettingsDialog::IndexOf(HWND control) const {
  for (int i = 0; i < static_cast<int>(controls_.size()); ++i) {
    if (controls_[i] == control) return i;
  }
  return -1;
}

int SettingsDialog::ValueOf(const DialogControl& c) const {
  const SettingsDialogState& s = model_.state();
  switch (c.role) {
    case R::kHour:
      return s.time.hour;
    case R::kMinute:
      return s.time.minute;
    case R::kCascade:
      return s.cascade;
    case R::kRatio:
      return s.ratio[c.index];
    case R::kEdgeCount:
    case R::kEdgeSize:
    case R::kEdgeAdjust:
      return s.edge[static_cast<int>(PartOf(c.role))][c.index];
    default:
      return 0;
  }
}

void SettingsDialog::Spin(const DialogControl& c, int value) {
  switch (c.role) {
    case R::kHour:
    case R::kMinute:
      model_.UpDown1_Change(c.role == R::kMinute, value);
      return;
    case R::kCascade:
      model_.UpDown2_Change(value);
      return;
    case R::kRatio:
      model_.VScroll3_Change(c.index, value);
      return;
    default:
      model_.Edge_Change(PartOf(c.role), c.index, value);
      return;
  }
}

void SettingsDialog::Render(const SettingsDialogState& s) {
  const auto& table = SettingsDialogControls();
  shown_.resize(controls_.size());
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const DialogControl& c = table[i];
    HWND control = controls_[i];
    // What the control is to show: its value (tab, tick, position) or text.
    Shown want;
    want.visible = c.tab < 0 || c.tab == s.tab;
    switch (c.kind) {
      case K::kTabs:
        want.value = s.tab;
        break;
      case K::kCheck:
        want.value = c.role == R::kLink ? s.link_time : s.general[c.index];
        break;
      case K::kOption:
        want.value = s.pending_run == c.index;
        break;
      case K::kValue:
        want.text = std::string(LabelOf(s, c));
        break;
      case K::kSpin:
      case K::kScroll:
        want.value = ValueOf(c);
        break;
      default:
        break;
    }
    // Only what changed is touched: a spinner's click must not wait on a
    // redraw of the whole dialog.
    Shown& was = shown_[i];
    if (!was.valid || was.visible != want.visible) {
      ShowWindow(control, want.visible ? SW_SHOWNA : SW_HIDE);
    }
    // A box or an option button may have changed itself when clicked.
    const bool self_changing = c.kind == K::kCheck || c.kind == K::kOption;
    if (!was.valid || self_changing || was.value != want.value || was.text != want.text) {
      switch (c.kind) {
        case K::kTabs:
          SendMessageW(control, TCM_SETCURSEL, want.value, 0);
          break;
        case K::kCheck:
        case K::kOption:
          SendMessageW(control, BM_SETCHECK, want.value ? BST_CHECKED : BST_UNCHECKED, 0);
          break;
        case K::kValue:
          SetWindowTextW(control, win32::Widen(want.text).c_str());
          break;
        case K::kSpin:
          SendMessageW(control, UDM_SETPOS32, 0, want.value);
          break;
        case K::kScroll:
          SetScrollPos(control, SB_CTL, want.value, TRUE);
          break;
        default:
          break;
      }
    }
    want.valid = true;
    was = std::move(want);
  }
}

void SettingsDialog::ShowHelp(const std::string& file, int context) {
  const std::wstring path = win32::Widen(file);
  // The help engine keeps its caller waiting on a message box when the file
  // is missing; until the file is there the button does nothing.
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  WinHelpW(hwnd(), path.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(context));
}

void SettingsDialog::OnCommand(int id, HWND control) {
  if (id == IDOK || id == IDCANCEL) {
    model_.Command1_Click(id == IDOK ? 0 : 1);
    return;
  }
  const int i = IndexOf(control);
  if (i < 0) return;
  const DialogControl& c = SettingsDialogControls()[i];
  const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  switch (c.role) {
    case R::kCommand:
      model_.Command1_Click(c.index);
      return;
    case R::kCustomize:
      model_.Command2_Click();
      return;
    case R::kGeneral:
      model_.Check1_Click(c.index, checked);
      return;
    case R::kRun:
      if (checked) model_.Option1_Click(c.index);
      return;
    case R::kLink:
      model_.Check2_Click(checked);
      return;
    default:
      return;
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
    Spin(c, RangeOf(c.role).Clamp(ValueOf(c) + change.iDelta));
    return TRUE;
  }
  return 0;
}

void SettingsDialog::OnScroll(HWND bar, int request) {
  // The up-down controls report here too, after their UDN_DELTAPOS.
  const int i = IndexOf(bar);
  if (i < 0 || SettingsDialogControls()[i].kind != K::kScroll) return;
  const DialogControl& c = SettingsDialogControls()[i];
  int value = ValueOf(c);
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
  Spin(c, RangeOf(c.role).Clamp(value));
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) OnCommand(LOWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_VSCROLL:
      OnScroll(reinterpret_cast<HWND>(lparam), LOWORD(wparam));
      return 0;
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
