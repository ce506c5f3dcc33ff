#include "expected_defaults.h"

#include "settings/settings.h"

namespace banchiro::testing {

StoreMap FirstStartDefaults() {
  StoreMap m;
  const auto put = [&m](std::string_view section, const std::string& key, std::string text) {
    m[{std::string(section), key}] = std::move(text);
  };
  const auto C = kSectionConfig;
  for (const char* key :
       {"OptLogo", "OptStat", "OptMBar", "OptTBar", "OptTBar2", "OptLAct", "OptRel"}) {
    put(C, key, "1");
  }
  put(C, "OptMaj", "6");
  put(C, "OptMir", "6");
  put(C, "OptRev", "0");
  put(C, "OptLATab", "0");
  put(C, "OptRun", "2");
  put(C, "OptTime(0)", "00");
  put(C, "OptTime(1)", "00");
  put(C, "OptCas", "1.2");
  put(C, "OptWinS", "0");
  put(C, "OptRat(0)", "12");
  put(C, "OptRat(1)", "8");
  for (int n = 0; n < 4; ++n) {
    const std::string i = "(" + std::to_string(n) + ")";
    put(C, "OptSat" + i, "1");
    put(C, "OptPix" + i, "70");
    put(C, "OptIval" + i, "0");
    put(C, "OptJog" + i, "0");
    put(C, "OptHgt" + i, "100");
    put(C, "OptWth" + i, "200");
  }
  put(kSectionPosition, "OptCent", "0");
  const char* letters = "SLKJGOHNEDFMUA";
  const char* captions[] = {"（左上→右下）重ねて表示",
                            "（右上→左下）重ねて表示",
                            "（右下→左上）重ねて表示",
                            "（左下→右上）重ねて表示",
                            "上下に並べて表示",
                            "左右に並べて表示",
                            "左＆上下に並べて表示",
                            "右＆上下に並べて表示",
                            "上＆左右に並べて表示",
                            "下＆左右に並べて表示",
                            "４マスに並べて表示",
                            "全ウィンドウを最小化",
                            "元に戻す",
                            "全ウィンドウを閉じる"};
  for (int n = 0; n < 14; ++n) {
    const std::string i = "(" + std::to_string(n) + ")";
    put(kSectionFunctionKey, "Fkey" + i, "0");
    put(kSectionFunctionKey, "FkeyDisp" + i, "0");
    put(kSectionFunctionKey, "Fname" + i, captions[n]);
    put(kSectionDispMethod, "D_Method" + i, std::string("BANCHIRO.EXE ") + letters[n]);
    for (int row = 0; row < 3; ++row) {
      put(kSectionRightClick, "RgtClick(" + std::to_string(row) + "," + std::to_string(n) + ")",
          row == 2 ? "1" : "0");
    }
  }
  put(kSectionFunctionKey, "OptCol(0)", "65535");
  put(kSectionFunctionKey, "OptCol(1)", "0");
  put(kSectionFunctionKey, "OptGuide", "1");
  for (int n = 0; n < 5; ++n)
    put(kSectionRightClick, "OptSepa(" + std::to_string(n) + ")", "1");
  put(kSectionExclude, "JogaiWid(0)", "ばんちろ君 for Win");
  put(kSectionExclude, "JogaiWid(1)", "ファンクションキー");
  return m;
}

}  // namespace banchiro::testing
