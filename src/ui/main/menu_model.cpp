#include "ui/main/menu_model.h"

#include "settings/setting_values.h"

namespace banchiro {
namespace {

using K = MenuEntryKind;
using C = MenuCommand;
using M = DisplayMethod;

MenuEntry Submenu(int level, std::string_view control, std::string_view caption) {
  MenuEntry e;
  e.level = level;
  e.kind = K::kSubmenu;
  e.control = control;
  e.caption = caption;
  return e;
}

MenuEntry Item(int level, std::string_view control, int index, std::string_view caption, C command,
               MenuShortcut shortcut = {}, bool enabled = true) {
  MenuEntry e;
  e.level = level;
  e.control = control;
  e.index = index;
  e.caption = caption;
  e.command = command;
  e.shortcut = shortcut;
  e.enabled = enabled;
  return e;
}

MenuEntry Separator(int level, std::string_view control, int display_separator = -1) {
  MenuEntry e;
  e.level = level;
  e.kind = K::kSeparator;
  e.control = control;
  e.caption = "-";
  e.separator = display_separator;
  return e;
}

// A display-method item: its caption's access key is the method's letter.
MenuEntry Method(std::string_view control, int index, std::string_view caption,
                 DisplayMethod method) {
  MenuEntry e = Item(2, control, index, caption, C::kDisplayMethod);
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
      Submenu(1, "mnuTotalMenu", "総合ﾒﾆｭｰ(&M)"),
      Submenu(2, "mnuHelp", "ﾍﾙﾌﾟ(&H)"),
      Item(3, "mnuHelpContent_KeyWord", 0, "ﾄﾋﾟｯｸの検索(&H)", C::kHelpKeywordSearch,
           FunctionKey(1)),
      Item(3, "mnuHelpContent_KeyWord", 1, "目次(&C)", C::kHelpContents),
      Separator(3, "mnuHelpDummy"),
      Item(3, "mnuHelpAbout", -1, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", C::kHelpAbout),
      Submenu(2, "mnuOption", "ｵﾌﾟｼｮﾝ(&O)"),
      Item(3, "mnuOptSettei", -1, "各種設定(&K)", C::kSettings, Ctrl('K')),
      Submenu(2, "mnuFile", "ﾌｧｲﾙ(&F)"),
      Item(3, "mnuFileShow_Hide", 0, "ﾌｫｰﾑの表示(&S)", C::kShowWindow, {}, false),
      Item(3, "mnuFileShow_Hide", 1, "ﾌｫｰﾑのｱｲｺﾝ化(&I)", C::kHideWindow, Ctrl('I')),
      Separator(3, "mnuFileDummy"),
      Item(3, "mnuFileDustEmpty", -1, "ごみ箱を空にする(&B)...", C::kEmptyRecycleBin),
      Item(3, "mnuFileWindows", 0, "最近使ったﾌｧｲﾙ履歴の初期化(&D)...", C::kClearRecentDocuments),
      Item(3, "mnuFileWindows", 1, "Microsoft Windows の再起動(&R)...", C::kRestartWindows,
           Ctrl('R')),
      Item(3, "mnuFileWindows", 2, "Microsoft Windows の終了(&E)...", C::kShutDownWindows,
           Ctrl('E')),
      Separator(3, "mnuFileDummy2"),
      Item(3, "mnuFileEnd", -1, "ばんちろ君 の終了(&X)...", C::kEndProgram),
      Submenu(1, "mnuDisplay", "表示(&D)"),
      Method("mnuDispMethod_Ex", 0, "重ねて表示（左上→右下）(&S)", M::kCascadeFromTopLeft),
      Method("mnuDispMethod_Ex", 1, "重ねて表示（右上→左下）(&L)", M::kCascadeFromTopRight),
      Method("mnuDispMethod_Ex", 2, "重ねて表示（右下→左上）(&K)", M::kCascadeFromBottomRight),
      Method("mnuDispMethod_Ex", 3, "重ねて表示（左下→右上）(&J)", M::kCascadeFromBottomLeft),
      Separator(2, "mnuDispDummy", 0),
      Method("mnuDispMethod", 0, "上下に並べて表示(&G)", M::kStacked),
      Method("mnuDispMethod", 1, "左右に並べて表示(&O)", M::kSideBySide),
      Separator(2, "mnuDispDummy2", 1),
      Method("mnuDispMethod_Ex4", 0, "左＆上下に並べて表示(&H)", M::kLeftAndStacked),
      Method("mnuDispMethod_Ex4", 1, "右＆上下に並べて表示(&N)", M::kRightAndStacked),
      Method("mnuDispMethod_Ex4", 2, "上＆左右に並べて表示(&E)", M::kTopAndSideBySide),
      Method("mnuDispMethod_Ex4", 3, "下＆左右に並べて表示(&D)", M::kBottomAndSideBySide),
      Separator(2, "mnuDispDummy3", 2),
      Method("mnuDispMethod_Ex5", -1, "４マスに並べて表示(&F)", M::kGrid),
      Separator(2, "mnuDispDummy4", 3),
      Method("mnuDispMethod_Ex2", 0, "全ウィンドウを最小化(&M)", M::kMinimizeAll),
      Method("mnuDispMethod_Ex2", 1, "元に戻す(&U)", M::kUndo),
      Separator(2, "mnuDispDummy5", 4),
      Method("mnuDispMethod_Ex3", -1, "全ウィンドウを閉じる(&A)", M::kCloseAll),
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
