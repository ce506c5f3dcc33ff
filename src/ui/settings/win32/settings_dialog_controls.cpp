// The settings dialog's controls, made from the layout table.
#include "ui/settings/win32/settings_dialog.h"

#include <commctrl.h>

#include <utility>

#include "common/function_keys.h"
#include "platform/win32/utf.h"
#include "ui/settings/dialog_controls.h"

namespace banchiro::ui {
namespace {

using K = ControlKind;
using R = ControlRole;

constexpr int kFirstControlId = 1000;
constexpr wchar_t kFontFace[] = L"ＭＳ Ｐゴシック";
constexpr int kFontPoints = 9;
// The lines a drop-down list shows open: "なし" and F1..F12.
constexpr int kKeyChoices = 13;

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
    case K::kSign:
    case K::kValue:
      return L"STATIC";
    case K::kSpin:
      return UPDOWN_CLASSW;
    case K::kScroll:
      return L"SCROLLBAR";
    case K::kEdit:
      return L"EDIT";
    case K::kList:
      return L"LISTBOX";
    case K::kCombo:
      return WC_COMBOBOXW;
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
      // BS_NOTIFY: the focus decides which button is the default.
      return child | WS_TABSTOP | BS_NOTIFY |
             (c.role == R::kCommand && c.index == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    case K::kCheck:
      return child | WS_TABSTOP | BS_AUTOCHECKBOX;
    case K::kOption:
      return child | BS_AUTORADIOBUTTON | (c.index == 0 ? WS_GROUP | WS_TABSTOP : 0);
    case K::kFrame:
      return child | BS_GROUPBOX;
    case K::kCaption:
      return child | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
    case K::kSign:
      return child | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
    case K::kValue:
      // SS_NOTIFY: a static that ignores the mouse shows no tooltip.
      return child | SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | SS_NOPREFIX | SS_NOTIFY;
    case K::kSpin:
    case K::kScroll:
      // The arrows take the focus (their value shows it) and the up and down
      // keys.
      return child | WS_TABSTOP | (c.kind == K::kScroll ? SBS_VERT : 0);
    case K::kEdit:
      return child | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    case K::kList:
      return child | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    case K::kCombo:
      return child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    case K::kColour:
      return child | WS_TABSTOP | BS_OWNERDRAW;
  }
  return child;
}

}  // namespace

void SettingsDialog::PlaceControls() {
  // The controls take the new font before the old one goes.
  win32::UniqueFont font(CreateFontW(
      -screen_.FontPixels(kFontPoints), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontFace));
  const auto& table = SettingsDialogControls();
  for (std::size_t i = 0; i < controls_.size() && i < table.size(); ++i) {
    const DialogControl& c = table[i];
    // A drop-down list's height is that of its open list.
    const int height = screen_.YPixels(c.rect.height) * (c.kind == K::kCombo ? kKeyChoices : 1);
    MoveWindow(controls_[i], screen_.XPixels(c.rect.left), screen_.YPixels(c.rect.top),
               screen_.XPixels(c.rect.width), height, FALSE);
    SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  }
  font_ = std::move(font);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsDialog::CreateControls() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                             0, 0, 0, hwnd(), nullptr, instance_, nullptr);
  const auto& table = SettingsDialogControls();
  for (int i = 0; i < static_cast<int>(table.size()); ++i) {
    const DialogControl& c = table[i];
    HWND control = CreateWindowExW(c.kind == K::kEdit ? WS_EX_CLIENTEDGE : 0, ClassFor(c.kind),
                                   win32::Widen(c.caption).c_str(), StyleFor(c), 0, 0, 0, 0, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(c, i))),
                                   instance_, nullptr);
    controls_.push_back(control);
    if (c.kind == K::kTabs) {
      for (int t = 0; t < kSettingsTabCount; ++t) {
        std::wstring caption = win32::Widen(kSettingsTabCaptions[t]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(control, TCM_INSERTITEMW, t, reinterpret_cast<LPARAM>(&item));
      }
    }
    for (int key = 0; c.kind == K::kCombo && key < kKeyChoices; ++key) {
      const std::wstring name = key == 0 ? L"なし" : win32::Widen(FunctionKeyName(key));
      SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    const SpinRange range = RangeOf(c.role);
    // No UDM_SETACCEL (Wine takes its seconds for the repeat interval): the
    // model counts each report of the arrows as one step.
    if (c.kind == K::kSpin) SendMessageW(control, UDM_SETRANGE32, range.min, range.max);
    if (c.kind == K::kScroll) SetScrollRange(control, SB_CTL, range.min, range.max, FALSE);
    if (!c.tooltip.empty() && tooltip_) AddTooltip(control, c.tooltip);
  }
  // The frames, and beneath them the tab control, lie under the controls
  // they hold, or they would paint over them.
  for (int i = static_cast<int>(table.size()) - 1; i >= 0; --i) {
    if (table[i].kind == K::kFrame) {
      SetWindowPos(controls_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
  }
  SetWindowPos(controls_[0], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PlaceControls();
}

void SettingsDialog::AddTooltip(HWND control, std::string_view text) {
  tips_.push_back(L" " + win32::Widen(text) + L" ");
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = tips_.back().data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // A drop-down list is a window with a box in it: the box hears the mouse.
  COMBOBOXINFO combo{};
  combo.cbSize = sizeof combo;
  if (GetComboBoxInfo(control, &combo) && combo.hwndItem) {
    tool.uId = reinterpret_cast<UINT_PTR>(combo.hwndItem);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace banchiro::ui
