#include "ui/settings/dialog_layout.h"

namespace banchiro {
namespace {

using K = ControlKind;
using R = ControlRole;

// Rows of the general tab's right-hand frames.
constexpr double kRatioRows[] = {1800, 2250};
constexpr double kEdgeRows[] = {3240, 3750, 4260, 4770};
constexpr std::string_view kEdgeNames[] = {"左端", "右端", "上端", "下端"};
// Left and right edges count icon columns of an icon's width; top and
// bottom count rows of its height.
constexpr std::string_view kEdgeCountTips[] = {"列数", "列数", "行数", "行数"};
constexpr std::string_view kEdgeSizeTips[] = {"ｱｲｺﾝの幅", "ｱｲｺﾝの幅", "ｱｲｺﾝの高さ", "ｱｲｺﾝの高さ"};

DialogControl At(K kind, R role, int index, int tab, std::string_view caption,
                 std::string_view tooltip, double left, double top, double width, double height) {
  return {kind, role, index, tab, caption, tooltip, {left, top, width, height}};
}

// A value label with its up-down control (or scroll bar) to its right.
void Spinner(std::vector<DialogControl>& c, R role, int index, std::string_view tip, double left,
             double top, double width, K kind = K::kSpin) {
  c.push_back(At(K::kValue, role, index, 0, "", tip, left, top, width, 360));
  c.push_back(At(kind, role, index, 0, "", tip, left + width, top, 240, 360));
}

std::vector<DialogControl> Build() {
  std::vector<DialogControl> c;
  c.push_back(At(K::kTabs, R::kNone, 0, -1, "", "", 90, 90, 7215, 360));

  // " 環境設定 ": the six boxes, and the toolbar's customise button.
  c.push_back(At(K::kFrame, R::kNone, 0, 0, " 環境設定 ", "", 240, 480, 3450, 2235));
  const std::string_view boxes[][2] = {
      {"ロゴの表示(&L)", "ロゴの表示"},
      {"画面のセンタリング(&C)", "画面のセンタリング"},
      {"メニューバーの表示(&M)", "メニューバーの表示"},
      {"ツールバーの表示(&T)", "ツールバーの表示"},
      {"ボタン構成の保存(&B)", "ボタン構成の保存"},
      {"最後のアクティブタブ(&A)", "最後のアクティブタブ"},
  };
  for (int i = 0; i < 6; ++i) {
    c.push_back(At(K::kCheck, R::kGeneral, i, 0, boxes[i][0], boxes[i][1], 420, 780 + 315.0 * i,
                   i == 4 ? 2460 : 3090, 300));
    if (i == 4)
      c.push_back(
          At(K::kButton, R::kCustomize, 0, 0, "...", "ツールバーの変更", 2970, 2025, 540, 330));
  }

  // " 実行時間 ": what the timer does, and when.
  c.push_back(At(K::kFrame, R::kNone, 0, 0, " 実行時間 ", "", 240, 2835, 3450, 2490));
  const std::string_view runs[][2] = {{"システムの再起動(&R)", "システムの再起動"},
                                      {"システムの終了(&E)", "システムの終了"},
                                      {"設定の無効(&I)", "設定の無効"}};
  for (int i = 0; i < 3; ++i)
    c.push_back(
        At(K::kOption, R::kRun, i, 0, runs[i][0], runs[i][1], 420, 3135 + 315.0 * i, 3090, 300));
  Spinner(c, R::kHour, 0, "時", 420, 4230, 600);
  c.push_back(At(K::kCaption, R::kNone, 0, 0, "時", "", 1320, 4230, 360, 360));
  Spinner(c, R::kMinute, 1, "分", 1800, 4230, 600);
  c.push_back(At(K::kCaption, R::kNone, 0, 0, "分", "", 2700, 4230, 360, 360));
  c.push_back(At(K::kCheck, R::kLink, 0, 0, "時と分の関連付け(&C)", "時と分の関連付け", 420, 4830,
                 3090, 300));

  c.push_back(At(K::kFrame, R::kNone, 0, 0, " 重ねた窓のサイズ ", "", 3840, 480, 3330, 855));
  Spinner(c, R::kCascade, 0, "窓のサイズ", 4020, 810, 600);

  // " 並べた窓の比率 ": 上 n ： 下 20-n, then 左 n ： 右 20-n.
  c.push_back(At(K::kFrame, R::kNone, 0, 0, " 並べた窓の比率 ", "", 3840, 1440, 3330, 1335));
  const std::string_view shares[][2] = {{"上", "： 下"}, {"左", "： 右"}};
  const std::string_view share_tips[] = {"上", "左", "下", "右"};
  for (int row = 0; row < 2; ++row) {
    const double y = kRatioRows[row];
    c.push_back(At(K::kCaption, R::kNone, 0, 0, shares[row][0], "", 4020, y, 300, 360));
    Spinner(c, R::kRatio, row, share_tips[row], 4320, y, 495, K::kScroll);
    c.push_back(At(K::kCaption, R::kNone, 0, 0, shares[row][1], "", 5220, y, 600, 360));
    Spinner(c, R::kRatio, row + 2, share_tips[row + 2], 5820, y, 495, K::kScroll);
  }

  // " 画面上下左右端の隙間 ": count × icon size ＋ adjustment, edge by edge.
  c.push_back(At(K::kFrame, R::kNone, 0, 0, " 画面上下左右端の隙間 ", "", 3840, 2880, 3330, 2445));
  for (int i = 0; i < 4; ++i) {
    const double y = kEdgeRows[i];
    c.push_back(At(K::kCaption, R::kNone, 0, 0, kEdgeNames[i], "", 4000, y, 540, 360));
    Spinner(c, R::kEdgeCount, i, kEdgeCountTips[i], 4545, y, 390);
    c.push_back(At(K::kCaption, R::kNone, 0, 0, "×", "", 5175, y, 240, 360));
    Spinner(c, R::kEdgeSize, i, kEdgeSizeTips[i], 5415, y, 480);
    c.push_back(At(K::kCaption, R::kNone, 0, 0, "＋", "", 6135, y, 240, 360));
    Spinner(c, R::kEdgeAdjust, i, "初期値", 6375, y, 480);
  }

  const std::string_view buttons[][2] = {
      {"OK", "OK"}, {"キャンセル", "キャンセル"}, {"適用(&A)", "適用"}, {"ヘルプ", "ヘルプ"}};
  for (int i = 0; i < 4; ++i)
    c.push_back(At(K::kButton, R::kCommand, i, -1, buttons[i][0], buttons[i][1], 2385 + 1230.0 * i,
                   6105, 1155, 435));
  return c;
}

}  // namespace

const std::vector<DialogControl>& SettingsDialogControls() {
  static const std::vector<DialogControl> kControls = Build();
  return kControls;
}

}  // namespace banchiro
