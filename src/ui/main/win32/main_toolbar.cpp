#include "ui/main/win32/main_toolbar.h"

#include <utility>

#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "settings/key_table.h"
#include "ui/main/toolbar_icons.h"

namespace banchiro::ui {
namespace {

// Where the toolbar keeps the arrangement: beside the program's settings.
struct SaveParams {
  const KeyDef& def = KeyDefOf(Key::Toolbar);
  std::wstring key = win32::RegistrySettingsStore::SectionPath(def.application, def.section);
  std::wstring value = win32::Widen(def.name);
  TBSAVEPARAMSW Get() { return {HKEY_CURRENT_USER, key.c_str(), value.c_str()}; }
};

}  // namespace

std::optional<int> ToolbarButtonForCommand(int id) {
  const int number = id - kToolbarCommandBase;
  if (number < 1 || number > kToolbarButtonCount) return std::nullopt;
  return number;
}

bool MainToolbar::Create(HWND parent, HINSTANCE instance, int dpi) {
  toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                                 TBSTYLE_TOOLTIPS | CCS_TOP | CCS_ADJUSTABLE,
                             0, 0, 0, 0, parent, reinterpret_cast<HMENU>(kToolbarControlId),
                             instance, nullptr);
  if (!toolbar_) return false;
  SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  images_ = CreateToolbarImageList(ToolbarIconScale(dpi));
  SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  for (const ToolbarButton& b : ToolbarButtons())
    tooltips_[b.number - 1] = win32::Widen(b.tooltip);
  AddDefaultButtons();
  return true;
}

void MainToolbar::SetDpi(int dpi) {
  if (!toolbar_) return;
  UniqueImageList images = CreateToolbarImageList(ToolbarIconScale(dpi));
  if (!images) return;
  // The toolbar takes its buttons' size from the new list; the old one goes
  // only once the toolbar has let go of it.
  SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
  images_ = std::move(images);
  AutoSize();
}

TBBUTTON MainToolbar::Button(int index) const {
  TBBUTTON button{};
  button.iBitmap = index;
  button.idCommand = kToolbarCommandBase + index + 1;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = BTNS_BUTTON;
  button.iString = -1;
  return button;
}

void MainToolbar::AddDefaultButtons() {
  std::array<TBBUTTON, kToolbarButtonCount> buttons{};
  for (int i = 0; i < kToolbarButtonCount; ++i)
    buttons[i] = Button(i);
  SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  AutoSize();
}

void MainToolbar::AutoSize() {
  if (toolbar_) SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
}

LRESULT MainToolbar::OnNotify(NMHDR* header) {
  switch (header->code) {
    case TTN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
      if (const auto number = ToolbarButtonForCommand(static_cast<int>(header->idFrom)))
        info->lpszText = const_cast<wchar_t*>(tooltips_[*number - 1].c_str());
      return 0;
    }
    // The customise dialog: every button may go anywhere or away.
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
      return TRUE;
    case TBN_GETBUTTONINFOW: {
      auto* info = reinterpret_cast<NMTOOLBARW*>(header);
      if (info->iItem < 0 || info->iItem >= kToolbarButtonCount) return FALSE;
      info->tbButton = Button(info->iItem);
      if (info->pszText && info->cchText > 0)
        lstrcpynW(info->pszText, tooltips_[info->iItem].c_str(), info->cchText);
      return TRUE;
    }
    case TBN_RESET:
      while (SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(toolbar_, TB_DELETEBUTTON, 0, 0);
      AddDefaultButtons();
      return 0;
    default:
      return 0;
  }
}

void MainToolbar::Restore() {
  if (!toolbar_) return;
  SaveParams params;
  // Restoring from a value that is not there would empty the toolbar on
  // some versions of the control; the defaults stay instead.
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, params.key.c_str(), params.value.c_str(), RRF_RT_REG_BINARY,
                   nullptr, nullptr, &size) != ERROR_SUCCESS ||
      size == 0) {
    return;
  }
  TBSAVEPARAMSW save = params.Get();
  SendMessageW(toolbar_, TB_SAVERESTOREW, FALSE, reinterpret_cast<LPARAM>(&save));
  AutoSize();
}

void MainToolbar::Save() {
  if (!toolbar_) return;
  SaveParams params;
  TBSAVEPARAMSW save = params.Get();
  SendMessageW(toolbar_, TB_SAVERESTOREW, TRUE, reinterpret_cast<LPARAM>(&save));
}

void MainToolbar::Customize() {
  if (toolbar_) SendMessageW(toolbar_, TB_CUSTOMIZE, 0, 0);
}

}  // namespace banchiro::ui
