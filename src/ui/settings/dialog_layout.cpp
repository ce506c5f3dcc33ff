#include "ui/settings/dialog_layout.h"

#include "ui/main/menu_model.h"
#include "ui/settings/settings_dialog_model.h"

namespace banchiro {
namespace {

using K = ControlKind;
using R = ControlRole;

// The general tab's measures, in twips.
constexpr double kLine = 300;   // a check box or option button
constexpr double kStep = 315;   // from one box to the next
constexpr double kField = 360;  // a value label, its arrows, a caption beside them
constexpr double kArrows = 240;
constexpr double kSignRoom = 300;  // "×", "＋" with a gap on either side
constexpr double kLeftColumn = 420, kLeftWidth = 3090;
constexpr double kRightColumn = 4020;

// One tab's controls, built in tab order.
class Tab {
 public:
  Tab(std::vector<DialogControl>& controls, int tab) : c_(controls), tab_(tab) {}

  void Frame(std::string_view caption, TwipsRect rect) {
    c_.push_back({K::kFrame, R::kNone, 0, tab_, caption, "", rect});
  }
  void Caption(std::string_view text, double left, double top, double width = kField,
               K kind = K::kCaption) {
    c_.push_back({kind, R::kNone, 0, tab_, text, "", {left, top, width, kField}});
  }
  // A check box or option button; its tooltip is its caption without the
  // access key unless given.
  void Box(K kind, R role, int index, std::string_view caption, double left, double top,
           double width, std::string_view tip = {}) {
    if (tip.empty()) tip = caption.substr(0, caption.find("(&"));
    c_.push_back({kind, role, index, tab_, caption, tip, {left, top, width, kLine}});
  }
  // A value label with its up-down control (or scroll bar) to its right.
  void Spinner(R role, int index, std::string_view tip, double left, double top, double width,
               K arrows = K::kSpin) {
    c_.push_back({K::kValue, role, index, tab_, "", tip, {left, top, width, kField}});
    c_.push_back({arrows, role, index, tab_, "", tip, {left + width, top, kArrows, kField}});
  }
  void Add(K kind, R role, int index, std::string_view caption, std::string_view tip,
           TwipsRect rect) {
    c_.push_back({kind, role, index, tab_, caption, tip, rect});
  }

 private:
  std::vector<DialogControl>& c_;
  int tab_;
};

// The menu caption of a method, and its name without the access key.
std::string_view MenuName(int method) {
  return MethodMenuCaption(method);
}
std::string_view PlainName(int method) {
  const std::string_view caption = MethodMenuCaption(method);
  return caption.substr(0, caption.find("(&"));
}

void BuildGeneralTab(std::vector<DialogControl>& c) {
  Tab t(c, 0);

  // " 環境設定 ": the six boxes, and the toolbar's customise button.
  // The seventh box, the undo of an arrangement, takes one step more.
  t.Frame(" 環境設定 ", {240, 480, 3450, 2235 + kStep});
  const std::string_view boxes[] = {"ロゴの表示(&L)",         "画面のセンタリング(&C)",
                                    "メニューバーの表示(&M)", "ツールバーの表示(&T)",
                                    "ボタン構成の保存(&B)",   "最後のアクティブタブ(&A)"};
  for (int i = 0; i < 6; ++i) {
    const double top = 780 + kStep * i;
    t.Box(K::kCheck, R::kGeneral, i, boxes[i], kLeftColumn, top,
          i == kSaveToolbarBox ? 2460 : kLeftWidth);
    if (i == kSaveToolbarBox) {
      t.Add(K::kButton, R::kCustomize, 0, "...", "ツールバーの変更", {2970, top - 15, 540, 330});
    }
  }
  t.Box(K::kCheck, R::kArrangeUndo, 0, "元に戻すで配置を取り消す(&U)", kLeftColumn, 780 + kStep * 6,
        kLeftWidth, "「元に戻す」で直前に重ねた・並べた窓を元の位置に戻す");

  // " 実行時間 ": what the timer does, and when.
  t.Frame(" 実行時間 ", {240, 2835 + kStep, 3450, 2385});
  const std::string_view runs[] = {"システムの再起動(&R)", "システムの終了(&E)", "設定の無効(&I)"};
  for (int i = 0; i < 3; ++i)
    t.Box(K::kOption, R::kRun, i, runs[i], kLeftColumn, 3135 + kStep * (i + 1), kLeftWidth);
  t.Spinner(R::kHour, 0, "時", kLeftColumn, 4230 + kStep, 600);
  t.Caption("時", 1320, 4230 + kStep);
  t.Spinner(R::kMinute, 1, "分", 1800, 4230 + kStep, 600);
  t.Caption("分", 2700, 4230 + kStep);
  t.Box(K::kCheck, R::kLink, 0, "時と分の関連付け(&C)", kLeftColumn, 4830 + kStep, kLeftWidth);

  t.Frame(" 重ねた窓のサイズ ", {3840, 480, 3330, 855});
  t.Spinner(R::kCascade, 0, "窓のサイズ", kRightColumn, 810, 600);

  // " 並べた窓の比率 ": 上 n ： 下 20-n, then 左 n ： 右 20-n.
  t.Frame(" 並べた窓の比率 ", {3840, 1440, 3330, 1335});
  const std::string_view shares[][2] = {{"上", "下"}, {"左", "右"}};
  for (int row = 0; row < 2; ++row) {
    const double top = 1800 + 450 * row;
    t.Caption(shares[row][0], kRightColumn, top, 300);
    t.Spinner(R::kRatio, row, shares[row][0], 4320, top, 495, K::kScroll);
    t.Caption(row == 0 ? "： 下" : "： 右", 5220, top, 600);
    t.Spinner(R::kRatio, row + 2, shares[row][1], 5820, top, 495, K::kScroll);
  }

  // " 画面上下左右端の隙間 ": count × icon size ＋ adjustment, edge by edge.
  // Left and right edges count icon columns of an icon's width; top and
  // bottom count rows of its height. The signs stand in rooms of their own.
  t.Frame(" 画面上下左右端の隙間 ", {3840, 2880, 3330, 2340 + kStep});
  const std::string_view edges[] = {"左端", "右端", "上端", "下端"};
  for (int i = 0; i < 4; ++i) {
    const double top = 3240 + 510 * i;
    const bool across = i < 2;
    t.Caption(edges[i], kRightColumn - 60, top, 450);
    t.Spinner(R::kEdgeCount, i, across ? "列数" : "行数", 4440, top, 360);
    t.Caption("×", 5040, top, kSignRoom, K::kSign);
    t.Spinner(R::kEdgeSize, i, across ? "ｱｲｺﾝの幅" : "ｱｲｺﾝの高さ", 5340, top, 450);
    t.Caption("＋", 6030, top, kSignRoom, K::kSign);
    t.Spinner(R::kEdgeAdjust, i, "初期値", 6330, top, 480);
  }

  // " 対象のモニタ ": which monitors a command arranges, across the page.
  t.Frame(" 対象のモニタ ", {240, 5280 + kStep, 6930, 645});
  const std::string_view monitors[][2] = {
      {"メインモニタ(&P)", "すべての窓をメインモニタに並べます"},
      {"マウスのあるモニタ(&U)", "マウスのあるモニタの窓だけを、そのモニタに並べます"},
      {"すべてのモニタ(&V)", "モニタごとに、その窓をそのモニタに並べます"}};
  for (int i = 0; i < 3; ++i) {
    t.Box(K::kOption, R::kMonitor, i, monitors[i][0], kLeftColumn + 2250 * i, 5550 + kStep, 2160,
          monitors[i][1]);
  }
}

// "ばんちろ対象外": the size rules, and the titles of windows never arranged.
void BuildExclusionTab(std::vector<DialogControl>& c) {
  Tab t(c, 1);
  t.Frame(" 窓のサイズ ", {240, 480, 3330, 2250});
  const std::string_view rules[] = {"ばんちろ対象外の窓１", "ばんちろ対象外の窓２",
                                    "ばんちろ対象外の窓３", "ばんちろ対象外の窓４"};
  for (int i = 0; i < 4; ++i) {
    const double top = 840 + 450 * i;
    t.Box(K::kCheck, R::kSizeRuleOn, i, "", kLeftColumn, top, 300, rules[i]);
    t.Caption("幅", 780, top, 300);
    t.Spinner(R::kSizeRuleWidth, i, "幅", 1080, top, 480);
    t.Caption("×", 1800, top, kSignRoom, K::kSign);
    t.Caption("高", 2130, top, 300);
    t.Spinner(R::kSizeRuleHeight, i, "高", 2430, top, 480);
  }
  t.Frame(" 窓のタイトル ", {3720, 480, 3450, 5340});
  t.Caption("新規：", 3900, 840, 600);
  t.Add(K::kEdit, R::kNewTitle, 0, "", "窓のタイトル（新規追加）", {4500, 840, 2490, kField});
  t.Add(K::kButton, R::kTitleCommand, 0, "新規追加", "新規追加", {3900, 1320, 1500, 375});
  t.Add(K::kButton, R::kTitleCommand, 1, "削除", "削除", {5490, 1320, 1500, 375});
  t.Add(K::kList, R::kTitles, 0, "", "ばんちろ対象外の窓のタイトル", {3900, 1830, 3090, 3810});
}

// "右クリックの追加": each method's folder verb, file verb and display-menu
// item in a row, and the display menu's separators beside their groups.
void BuildRightClickTab(std::vector<DialogControl>& c) {
  Tab t(c, 2);
  t.Frame(" スタートボタン・フォルダ等 ／ ショートカット ／ 表示メニュー ", {240, 480, 4950, 5340});
  for (int n = 0; n < kMethodCount; ++n) {
    const double top = 780 + 330 * n;
    t.Box(K::kCheck, R::kFolderVerb, n, "", kLeftColumn, top, 300, PlainName(n));
    t.Box(K::kCheck, R::kFileVerb, n, "", 1020, top, 300, PlainName(n));
    t.Box(K::kCheck, R::kDisplayItem, n, MenuName(n), 1620, top, 3420);
  }
  // Each separator stands beside the method it follows on the display menu.
  int last_of_group[kSeparatorCount] = {};
  int method = 0;
  const auto& tree = MainMenuTree();
  for (const int i : MenuChildren(MenuChildren(-1)[kDisplayMenuPosition])) {
    if (tree[i].separator >= 0) {
      last_of_group[tree[i].separator] = method;
    } else {
      method = MethodIndex(*tree[i].method);
    }
  }
  constexpr std::string_view kSeparators[kSeparatorCount] = {
      "セパレータ(&1)", "セパレータ(&2)", "セパレータ(&3)", "セパレータ(&4)", "セパレータ(&5)"};
  t.Frame(" セパレータ ", {5340, 480, 1830, 5340});
  for (int k = 0; k < kSeparatorCount; ++k) {
    t.Box(K::kCheck, R::kSeparator, k, kSeparators[k], 5520, 780 + 330 * last_of_group[k], 1500,
          "セパレータ");
  }
}

// "Ctrl＋Fxの追加": each method's key and palette box, the guide, the colours.
void BuildFunctionKeyTab(std::vector<DialogControl>& c) {
  Tab t(c, 3);
  for (int n = 0; n < kMethodCount; ++n) {
    const double top = 720 + 345 * n;
    t.Add(K::kCombo, R::kKey, n, "", PlainName(n), {360, top, 960, 330});
    t.Box(K::kCheck, R::kOnPalette, n, MenuName(n), 1440, top + 15, 3000, PlainName(n));
  }
  t.Box(K::kCheck, R::kGuide, 0, "ガイドを手前に表示(&F)", 4740, 780, 2400);
  t.Frame(" ﾌｧﾝｸｼｮﾝｷｰの色 ", {4740, 1260, 2430, 1500});
  const std::string_view colours[][2] = {{"文字色", "ﾌｧﾝｸｼｮﾝｷｰの文字色"},
                                         {"背景色", "ﾌｧﾝｸｼｮﾝｷｰの背景色"}};
  for (int i = 0; i < 2; ++i) {
    const double top = 1620 + 600 * i;
    t.Caption(colours[i][0], 4920, top, 720);
    t.Add(K::kColour, R::kColour, i, "", colours[i][1], {5700, top - 15, 900, 390});
  }
}

std::vector<DialogControl> Build() {
  std::vector<DialogControl> c;
  c.push_back({K::kTabs, R::kNone, 0, -1, "", "", {90, 90, 7215, kField}});
  BuildGeneralTab(c);
  BuildExclusionTab(c);
  BuildRightClickTab(c);
  BuildFunctionKeyTab(c);
  const std::string_view buttons[] = {"OK", "キャンセル", "適用(&A)", "ヘルプ"};
  for (int i = 0; i < 4; ++i) {
    const std::string_view tip = buttons[i].substr(0, buttons[i].find("(&"));
    c.push_back({K::kButton,
                 R::kCommand,
                 i,
                 -1,
                 buttons[i],
                 tip,
                 {2385 + 1230.0 * i, 6105 + kStep, 1155, 435}});
  }
  return c;
}

}  // namespace

const std::vector<DialogControl>& SettingsDialogControls() {
  static const std::vector<DialogControl> kControls = Build();
  return kControls;
}

}  // namespace banchiro
