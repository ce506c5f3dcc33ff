#include "ui/main/menu_model.h"

#include "settings/setting_values.h"

namespace banchiro {
namespace {

using K = MenuEntryKind;
using C = MenuCommand;
using M = DisplayMethod;

MenuEntry Submenu(int level, std::string_view caption) {
  MenuEntry e;
  e.level = level;
  e.kind = K::kSubmenu;
  e.caption = caption;
  return e;
}

MenuEntry Item(int level, std::string_view caption, C command, MenuShortcut shortcut = {},
               bool enabled = true) {
  MenuEntry e;
  e.level = level;
  e.caption = caption;
  e.command = command;
  e.shortcut = shortcut;
  e.enabled = enabled;
  return e;
}

MenuEntry Separator(int level, int display_separator = -1) {
  MenuEntry e;
  e.level = level;
  e.kind = K::kSeparator;
  e.caption = "-";
  e.separator = display_separator;
  return e;
}

// A display-method item: its caption's access key is the method's letter.
MenuEntry Method(std::string_view caption, DisplayMethod method) {
  MenuEntry e = Item(2, caption, C::kDisplayMethod);
  e.method = method;
  return e;
}

MenuShortcut Ctrl(char letter) {
  return {true, letter, 0};
}
MenuShortcut FunctionKey(int key) {
  return {false, 0, key};
}

std::vector<MenuEntry> BuildTree() {
  return {
      Submenu(1, "総合ﾒﾆｭｰ(&M)"),
      Submenu(2, "ﾍﾙﾌﾟ(&H)"),
      Item(3, "ﾄﾋﾟｯｸの検索(&H)", C::kHelpKeywordSearch, FunctionKey(1)),
      Item(3, "目次(&C)", C::kHelpContents),
      Separator(3),
      Item(3, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", C::kHelpAbout),
      Submenu(2, "ｵﾌﾟｼｮﾝ(&O)"),
      Item(3, "各種設定(&K)", C::kSettings, Ctrl('K')),
      Submenu(2, "ﾌｧｲﾙ(&F)"),
      Item(3, "ﾌｫｰﾑの表示(&S)", C::kShowWindow, {}, false),
      Item(3, "ﾌｫｰﾑのｱｲｺﾝ化(&I)", C::kHideWindow, Ctrl('I')),
      Separator(3),
      Item(3, "ごみ箱を空にする(&B)...", C::kEmptyRecycleBin),
      Item(3, "最近使ったﾌｧｲﾙ履歴の初期化(&D)...", C::kClearRecentDocuments),
      Item(3, "Microsoft Windows の再起動(&R)...", C::kRestartWindows, Ctrl('R')),
      Item(3, "Microsoft Windows の終了(&E)...", C::kShutDownWindows, Ctrl('E')),
      Separator(3),
      Item(3, "ばんちろ君 の終了(&X)...", C::kEndProgram),
      Submenu(1, "表示(&D)"),
      Method("重ねて表示（左上→右下）(&S)", M::kCascadeFromTopLeft),
      Method("重ねて表示（右上→左下）(&L)", M::kCascadeFromTopRight),
      Method("重ねて表示（右下→左上）(&K)", M::kCascadeFromBottomRight),
      Method("重ねて表示（左下→右上）(&J)", M::kCascadeFromBottomLeft),
      Separator(2, 0),
      Method("上下に並べて表示(&G)", M::kStacked),
      Method("左右に並べて表示(&O)", M::kSideBySide),
      Separator(2, 1),
      Method("左＆上下に並べて表示(&H)", M::kLeftAndStacked),
      Method("右＆上下に並べて表示(&N)", M::kRightAndStacked),
      Method("上＆左右に並べて表示(&E)", M::kTopAndSideBySide),
      Method("下＆左右に並べて表示(&D)", M::kBottomAndSideBySide),
      Separator(2, 2),
      Method("４マスに並べて表示(&F)", M::kGrid),
      Separator(2, 3),
      Method("全ウィンドウを最小化(&M)", M::kMinimizeAll),
      Method("元に戻す(&U)", M::kUndo),
      Separator(2, 4),
      Method("全ウィンドウを閉じる(&A)", M::kCloseAll),
  };
}

}  // namespace

const std::vector<MenuEntry>& MainMenuTree() {
  static const std::vector<MenuEntry> kTree = BuildTree();
  return kTree;
}

std::vector<int> MenuChildren(int parent) {
  const auto& tree = MainMenuTree();
  std::vector<int> children;
  const int n = static_cast<int>(tree.size());
  if (parent < -1 || parent >= n || (parent >= 0 && tree[parent].kind != K::kSubmenu)) {
    return children;
  }
  const int level = parent < 0 ? 1 : tree[parent].level + 1;
  for (int i = parent + 1; i < n && tree[i].level >= level; ++i) {
    if (tree[i].level == level) children.push_back(i);
  }
  return children;
}

const MenuEntry* FindMenuItem(MenuCommand command, int method) {
  for (const auto& e : MainMenuTree()) {
    if (e.kind == K::kItem && e.command == command &&
        (command != C::kDisplayMethod || (e.method && MethodIndex(*e.method) == method)))
      return &e;
  }
  return nullptr;
}

const MenuEntry* MethodMenuEntry(DisplayMethod method) {
  return FindMenuItem(C::kDisplayMethod, MethodIndex(method));
}

std::string_view MethodMenuCaption(int index) {
  const MenuEntry* item = FindMenuItem(C::kDisplayMethod, index);
  return item ? item->caption : std::string_view();
}

std::string ShortcutText(const MenuShortcut& s) {
  if (s.function_key >= 1 && s.function_key <= 12) return "F" + std::to_string(s.function_key);
  if (s.letter != 0) return std::string(s.ctrl ? "Ctrl+" : "") + s.letter;
  return {};
}

std::string CaptionWithoutAccessKey(std::string_view caption) {
  std::string_view text = caption;
  while (text.size() >= 3 && text.substr(text.size() - 3) == "...")
    text.remove_suffix(3);
  // The access key is written as "(&X)" at the end of every caption here.
  if (text.size() >= 4 && text.substr(text.size() - 4, 2) == "(&" && text.back() == ')')
    text.remove_suffix(4);
  return std::string(text);
}

std::vector<const MenuEntry*> DisplayMenuEntries(const Settings& settings) {
  std::vector<const MenuEntry*> shown;
  const auto& tree = MainMenuTree();
  for (int c : MenuChildren(MenuChildren(-1).at(kDisplayMenuPosition))) {
    const MenuEntry& e = tree[c];
    const bool visible = e.kind == K::kSeparator ? SeparatorOnDisplayMenu(settings, e.separator)
                         : e.command == C::kDisplayMethod
                             ? OnDisplayMenu(settings, MethodIndex(*e.method))
                             : false;
    // A separator only divides two items: none first, none after another.
    const bool divides =
        e.kind != K::kSeparator || (!shown.empty() && shown.back()->kind != K::kSeparator);
    if (visible && divides) shown.push_back(&e);
  }
  if (!shown.empty() && shown.back()->kind == K::kSeparator) shown.pop_back();
  return shown;
}

ShowHideState ShowHideStateFor(bool window_hidden) {
  return {window_hidden, !window_hidden};
}

}  // namespace banchiro
