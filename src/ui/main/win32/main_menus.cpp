#include "ui/main/win32/main_menus.h"

#include "platform/win32/utf.h"
#include "ui/main/main_window_model.h"

namespace banchiro::ui {
namespace {

std::wstring MenuText(const MenuEntry& entry) {
  std::wstring text = win32::Widen(entry.caption);
  const std::string shortcut = ShortcutText(entry.shortcut);
  if (!shortcut.empty()) text += L"\t" + win32::Widen(shortcut);
  return text;
}

void AppendEntry(HMENU menu, const MenuEntry& entry) {
  if (entry.kind == MenuEntryKind::kSeparator) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  const UINT flags = MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED);
  AppendMenuW(menu, flags, static_cast<UINT_PTR>(MenuCommandId(entry)), MenuText(entry).c_str());
}

// Fills `menu` with the entries below tree position `parent`, submenus
// included.
void FillMenu(HMENU menu, int parent) {
  const auto& tree = MainMenuTree();
  for (int child : MenuChildren(parent)) {
    const MenuEntry& entry = tree[child];
    if (entry.kind == MenuEntryKind::kSubmenu) {
      HMENU sub = CreatePopupMenu();
      FillMenu(sub, child);
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                  win32::Widen(entry.caption).c_str());
    } else {
      AppendEntry(menu, entry);
    }
  }
}

win32::UniqueAccelerators MakeShortcuts() {
  std::vector<ACCEL> table;
  for (const MenuEntry& entry : MainMenuTree()) {
    if (entry.shortcut.empty() || entry.kind != MenuEntryKind::kItem) continue;
    ACCEL a{};
    a.cmd = static_cast<WORD>(MenuCommandId(entry));
    a.fVirt = FVIRTKEY;
    if (entry.shortcut.function_key > 0) {
      a.key = static_cast<WORD>(VK_F1 + entry.shortcut.function_key - 1);
    } else {
      a.key = static_cast<WORD>(entry.shortcut.letter);
      if (entry.shortcut.ctrl) a.fVirt |= FCONTROL;
    }
    table.push_back(a);
  }
  return win32::UniqueAccelerators(
      CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

}  // namespace

int MenuCommandId(const MenuEntry& entry) {
  return kMenuCommandBase + static_cast<int>(&entry - MainMenuTree().data());
}

const MenuEntry* MenuEntryForCommand(int id) {
  const auto& tree = MainMenuTree();
  if (id < kMenuCommandBase || id >= kMenuCommandBase + static_cast<int>(tree.size())) {
    return nullptr;
  }
  return &tree[id - kMenuCommandBase];
}

void MainMenus::Build() {
  bar_.reset(CreateMenu());
  FillMenu(bar_.get(), -1);
  general_ = GetSubMenu(bar_.get(), kGeneralMenuPosition);
  display_ = GetSubMenu(bar_.get(), kDisplayMenuPosition);
  shortcuts_ = MakeShortcuts();
}

HMENU MainMenus::popup(int position) const {
  return position == kGeneralMenuPosition   ? general_
         : position == kDisplayMenuPosition ? display_
                                            : nullptr;
}

void MainMenus::SetDisplayMenu(const std::vector<const MenuEntry*>& entries) {
  if (!display_) return;
  while (GetMenuItemCount(display_) > 0)
    DeleteMenu(display_, 0, MF_BYPOSITION);
  for (const MenuEntry* entry : entries)
    AppendEntry(display_, *entry);
}

void MainMenus::SetShowHideState(const ShowHideState& state) {
  const auto enable = [this](MenuCommand command, bool enabled) {
    if (const MenuEntry* item = FindMenuItem(command)) {
      EnableMenuItem(bar_.get(), MenuCommandId(*item),
                     MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
  };
  enable(MenuCommand::kShowWindow, state.show_enabled);
  enable(MenuCommand::kHideWindow, state.hide_enabled);
}

bool MainMenus::TranslateShortcut(HWND window, MSG& message) {
  if (!window || !shortcuts_) return false;
  if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
  return TranslateAcceleratorW(window, shortcuts_.get(), &message) != 0;
}

}  // namespace banchiro::ui
