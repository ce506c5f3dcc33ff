// The settings dialog's tabs 1 to 3: the excluded titles, the Explorer verbs
// and the display menu, the hot keys and the palette.
#include "settings_dialog_rig.h"
#include "ui/main/menu_model.h"

namespace banchiro {
namespace {

TEST(SettingsTabsTest, TitlesAreAddedExactlyAsTypedAndDeletedBySelection) {
  // "T0".."Tn-1" listed besides the program's two, the text typed, and the
  // title of the message box that refuses it ("" when the title is added)
  const std::tuple<int, const char*, const char*> cases[] = {{0, "abc", ""},
                                                             {0, "ABC ", ""},
                                                             {0, "T0", ""},
                                                             {1, "T0", kKnownTitleTitle},
                                                             {0, "", kNoTitleTitle},
                                                             {98, "T50", kKnownTitleTitle},
                                                             {98, "T98", kFullListTitle},
                                                             {97, "T97", ""}};
  for (const auto& [listed, typed, refusal] : cases) {
    Rig r;
    for (int i = 0; i < listed; ++i)
      r.settings.JogaiWid[2 + i] = "T" + std::to_string(i);
    r.settings.JogaiWid[1] = "ABC";
    r.model.Load();
    const std::size_t before = r.state().titles.size();
    r.model.SetNewTitle(typed), r.model.AddTitle();
    EXPECT_EQ(r.Boxes(), refusal) << typed << " on " << listed;
    EXPECT_EQ(r.state().titles.size(), before + (*refusal ? 0 : 1)) << typed;
    EXPECT_EQ(r.state().new_title, *refusal ? typed : "") << "kept only when refused";
    EXPECT_EQ(std::pair(r.log, r.renders), std::pair(std::string(*refusal ? "" : "focus"),
                                                     *refusal ? 1 : 2));  // shown when added
  }
}

TEST(SettingsTabsTest, DeletingPacksTheListAndSavingWritesEverySlotAndTheRules) {
  Rig r;
  r.settings.JogaiWid[1] = "";          // two titles and a gap, then one more
  r.settings.JogaiWid[5] = "電\r\n卓";  // stored back as it is
  r.settings.OptJog[2] = "1";
  r.model.Load();
  r.model.DeleteTitle();
  EXPECT_EQ(r.Boxes(), kNothingSelectedTitle);
  const int renders = r.renders;
  r.model.SelectTitle(0), r.model.DeleteTitle();
  EXPECT_EQ(r.state().titles, (std::vector<std::string>{"電\r\n卓"}));
  EXPECT_EQ(r.renders, renders + 1) << "the shorter list is shown";
  r.model.SetSizeRuleOn(2, false), r.model.SetSizeRuleSize(2, true, 1200);
  r.model.SelectTab(1), r.model.OnApply();  // Apply: this tab only
  std::string expected = "JogaiWid(0)=電\r\n卓";
  for (int i = 1; i < kExcludedTitleCount; ++i)
    expected += " JogaiWid(" + std::to_string(i) + ")=";
  expected +=
      " OptJog(0)=0 OptHgt(0)=100 OptWth(0)=200 OptJog(1)=0 OptHgt(1)=100 OptWth(1)=200"
      " OptJog(2)=0 OptHgt(2)=100 OptWth(2)=999 OptJog(3)=0 OptHgt(3)=100 OptWth(3)=200";
  EXPECT_EQ(r.Writes(), expected);
  EXPECT_EQ(r.settings.exclusion_count, 1);
  EXPECT_EQ(r.settings.JogaiWid[0] + r.settings.OptWth[2], "電\r\n卓999");
}

TEST(SettingsTabsTest, VerbsRunTheProgramQuotedAndGoWithTheirBoxes) {
  Rig r;
  r.fake.process.program_folder = "C:\\Program Files\\Tools";
  r.model.Load();
  for (int n = 0; n < kMethodCount; ++n) {
    r.model.SetMethodChoice(0, n, true);
    r.model.SetMethodChoice(1, n, n % 2 == 0);
  }
  r.model.SaveRightClickTab();
  const auto after_one = r.fake.verbs.verbs;
  r.model.SaveRightClickTab();
  EXPECT_EQ(r.fake.verbs.verbs, after_one) << "saving again changes nothing";
  ASSERT_EQ(after_one.size(), 21u);
  EXPECT_EQ(after_one.at({VerbPlace::kFolders, "元に戻す(&U)"}),
            "\"C:\\Program Files\\Tools\\BANCHIRO.EXE\" U");
  for (int n = 0; n < kMethodCount; ++n) {
    for (const VerbPlace place : {VerbPlace::kFolders, VerbPlace::kFiles}) {
      const auto verb = after_one.find({place, std::string(MethodMenuCaption(n))});
      ASSERT_EQ(verb != after_one.end(), place == VerbPlace::kFolders || n % 2 == 0) << n;
      EXPECT_TRUE(verb == after_one.end() || verb->second.back() == DisplayMethods()[n].letter);
    }
  }
  EXPECT_EQ(r.settings.RgtClick[1][1] + r.settings.RgtClick[1][2] + r.settings.RgtClick[0][1],
            "011");
  for (int n = 0; n < kMethodCount; ++n)
    r.model.SetMethodChoice(0, n, false);
  r.model.SaveRightClickTab();
  EXPECT_EQ(r.fake.verbs.verbs.size(), 7u) << "the cleared folder verbs are gone";
}

TEST(SettingsTabsTest, TheDisplayMenuKeepsOneMethodAndItsSeparatorsThen) {
  Rig r;
  r.model.Load();
  for (int n = 0; n < kMethodCount; ++n)
    r.model.SetMethodChoice(2, n, false);
  r.model.SetSeparator(3, false), r.model.SaveRightClickTab();
  EXPECT_EQ(r.fake.message_boxes.shown.at(0).text, kEmptyMenuText);
  EXPECT_TRUE(r.state().right_click[2][0]);
  EXPECT_EQ(r.fake.store.Get(kSectionRightClick, "RgtClick(2,0)"), "1");
  EXPECT_EQ(r.fake.store.Get(kSectionRightClick, "RgtClick(2,13)"), "0");
  EXPECT_EQ(r.fake.store.Get(kSectionRightClick, "OptSepa(3)"), "1") << "kept as it was";
  EXPECT_EQ(r.Writes().find("OptSepa"), std::string::npos);
  EXPECT_EQ(r.settings.RgtClick[2][0], "1");
  r.model.SetSeparator(3, false), r.model.SaveRightClickTab();  // now a method is on the menu
  EXPECT_EQ(r.fake.store.Get(kSectionRightClick, "OptSepa(3)"), "0");
  EXPECT_EQ(r.Writes().substr(r.Writes().rfind(' ') + 1), "OptSepa(4)=1") << "the last one";
}

TEST(SettingsTabsTest, KeysConflictsPaletteAndRelays) {
  Rig r;
  r.settings.Fkey[2] = "7";
  r.settings.FkeyDisp[2] = "1";
  r.model.Load();
  r.model.SetHotKey(2, 3), r.model.SetHotKey(9, 3);  // the same key twice
  r.model.SelectTab(0);
  r.model.OnOk();  // OK saves the tabs before, then stops there
  EXPECT_EQ(r.Boxes(), kKeyConflictTitle);
  EXPECT_EQ(r.fake.message_boxes.shown[0].icon, MessageIcon::kStop);
  EXPECT_EQ(r.Writes().substr(r.Writes().rfind(' ') + 1), "OptSepa(4)=1");
  EXPECT_EQ(r.log, "bar 2500x1000, save toolbar, focus key 2") << "no palette, relays, close";
  EXPECT_EQ(std::tuple(r.settings.Fkey[2], r.state().tab, r.state().pending_key[9]),
            std::tuple("7", 3, 3))
      << "still open on the tab, the choices as they were";
  r.log.clear();

  r.model.SetHotKey(9, 0), r.model.SetOnPalette(9, true);
  r.model.SetHotKey(9, 0);  // "なし" clears its box at once
  EXPECT_FALSE(r.state().on_palette[9]);
  r.model.SetOnPalette(9, true);  // ticked again without a key: not stored
  r.model.SetOnPalette(4, true), r.model.SetHotKey(4, 12), r.model.SetGuideInFront(false);
  r.model.SaveFunctionKeyTab();
  const std::string writes = r.Writes().substr(r.Writes().find(" Fkey(0)=") + 1);
  EXPECT_EQ(writes.rfind("Fkey(0)=0 FkeyDisp(0)=0 ", 0), 0u) << writes;
  EXPECT_NE(writes.find("Fkey(2)=3 FkeyDisp(2)=1"), std::string::npos) << writes;
  EXPECT_NE(writes.find("Fkey(9)=0 FkeyDisp(9)=0"), std::string::npos) << writes;
  EXPECT_NE(writes.find("Fkey(4)=12 FkeyDisp(4)=1"), std::string::npos) << writes;
  EXPECT_EQ(writes.substr(writes.find("OptCol")), "OptCol(0)=65535 OptCol(1)=0 OptGuide=0");
  EXPECT_EQ(r.settings.Fname[4] + "|" + r.settings.Fname[9], "上下に並べて表示|");
  EXPECT_EQ(r.log, "palette, relays");
  for (int n = 0; n < kMethodCount; ++n)
    r.model.SetOnPalette(n, false);
  r.model.SaveFunctionKeyTab();
  EXPECT_EQ(r.log, "palette, relays, no palette, relays");
}

TEST(SettingsTabsTest, AColourReachesTheRecordAtOnceAndTheStoreWithTheTab) {
  Rig r;
  r.model.Load();
  r.model.ChooseColour(1);  // cancelled in the colour dialog
  r.chosen_colour = 0x00FF00, r.model.ChooseColour(0);
  EXPECT_EQ(r.log, "colour 0, colour 65535");
  EXPECT_EQ(r.settings.OptCol[0] + " " + r.settings.OptCol[1], "65280 0");
  r.model.OnCancel();  // Cancel
  EXPECT_EQ(r.Writes(), "");
  r.model.Load();
  EXPECT_EQ(r.state().colour[0], "65280") << "the next opening shows it";
  r.model.SaveFunctionKeyTab();
  EXPECT_EQ(r.fake.store.Get(kSectionFunctionKey, "OptCol(0)"), "65280");
}

}  // namespace
}  // namespace banchiro
