#include "ui/settings/dialog_layout.h"

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
constexpr double kLeftColumn = 420, kLeftWidth = 3090;
constexpr double kRightColumn = 4020;

// The general tab's controls, built in tab order.
class GeneralTab {
 public:
  explicit GeneralTab(std::vector<DialogControl>& controls) : c_(controls) {}

  void Frame(std::string_view caption, TwipsRect rect) {
    c_.push_back({K::kFrame, R::kNone, 0, 0, caption, "", rect});
  }
  void Caption(std::string_view text, double left, double top, double width = kField) {
    c_.push_back({K::kCaption, R::kNone, 0, 0, text, "", {left, top, width, kField}});
  }
  // A check box or option button of the left column; its tooltip is its
  // caption without the access key.
  void Box(K kind, R role, int index, std::string_view caption, double top,
           double width = kLeftWidth) {
    const std::string_view tip = caption.substr(0, caption.find("(&"));
    c_.push_back({kind, role, index, 0, caption, tip, {kLeftColumn, top, width, kLine}});
  }
  // A value label with its up-down control (or scroll bar) to its right.
  void Spinner(R role, int index, std::string_view tip, double left, double top, double width,
               K arrows = K::kSpin) {
    c_.push_back({K::kValue, role, index, 0, "", tip, {left, top, width, kField}});
    c_.push_back({arrows, role, index, 0, "", tip, {left + width, top, kArrows, kField}});
  }
  void Push(const DialogControl& control) { c_.push_back(control); }

 private:
  std::vector<DialogControl>& c_;
};

std::vector<DialogControl> Build() {
  std::vector<DialogControl> c;
  c.push_back({K::kTabs, R::kNone, 0, -1, "", "", {90, 90, 7215, kField}});
  GeneralTab t(c);

  // " 環境設定 ": the six boxes, and the toolbar's customise button.
  t.Frame(" 環境設定 ", {240, 480, 3450, 2235});
  const std::string_view boxes[] = {"ロゴの表示(&L)",         "画面のセンタリング(&C)",
                                    "メニューバーの表示(&M)", "ツールバーの表示(&T)",
                                    "ボタン構成の保存(&B)",   "最後のアクティブタブ(&A)"};
  for (int i = 0; i < 6; ++i) {
    const double top = 780 + kStep * i;
    t.Box(K::kCheck, R::kGeneral, i, boxes[i], top, i == kSaveToolbarBox ? 2460 : kLeftWidth);
    if (i == kSaveToolbarBox) {
      t.Push(
          {K::kButton, R::kCustomize, 0, 0, "...", "ツールバーの変更", {2970, top - 15, 540, 330}});
    }
  }

  // " 実行時間 ": what the timer does, and when.
  t.Frame(" 実行時間 ", {240, 2835, 3450, 2490});
  const std::string_view runs[] = {"システムの再起動(&R)", "システムの終了(&E)", "設定の無効(&I)"};
  for (int i = 0; i < 3; ++i)
    t.Box(K::kOption, R::kRun, i, runs[i], 3135 + kStep * i);
  t.Spinner(R::kHour, 0, "時", kLeftColumn, 4230, 600);
  t.Caption("時", 1320, 4230);
  t.Spinner(R::kMinute, 1, "分", 1800, 4230, 600);
  t.Caption("分", 2700, 4230);
  t.Box(K::kCheck, R::kLink, 0, "時と分の関連付け(&C)", 4830);

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
  // bottom count rows of its height.
  t.Frame(" 画面上下左右端の隙間 ", {3840, 2880, 3330, 2445});
  const std::string_view edges[] = {"左端", "右端", "上端", "下端"};
  for (int i = 0; i < 4; ++i) {
    const double top = 3240 + 510 * i;
    const bool across = i < 2;
    t.Caption(edges[i], kRightColumn - 20, top, 540);
    t.Spinner(R::kEdgeCount, i, across ? "列数" : "行数", 4545, top, 390);
    t.Caption("×", 5175, top, kArrows);
    t.Spinner(R::kEdgeSize, i, across ? "ｱｲｺﾝの幅" : "ｱｲｺﾝの高さ", 5415, top, 480);
    t.Caption("＋", 6135, top, kArrows);
    t.Spinner(R::kEdgeAdjust, i, "初期値", 6375, top, 480);
  }

  const std::string_view buttons[] = {"OK", "キャンセル", "適用(&A)", "ヘルプ"};
  for (int i = 0; i < 4; ++i) {
    const std::string_view tip = buttons[i].substr(0, buttons[i].find("(&"));
    c.push_back(
        {K::kButton, R::kCommand, i, -1, buttons[i], tip, {2385 + 1230.0 * i, 6105, 1155, 435}});
  }
  return c;
}

}  // namespace

const std::vector<DialogControl>& SettingsDialogControls() {
  static const std::vector<DialogControl> kControls = Build();
  return kControls;
}

}  // namespace banchiro
