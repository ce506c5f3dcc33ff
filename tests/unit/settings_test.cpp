// The settings load of a start, and the typed reads the program computes with.
#include <map>
#include <string>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "default_settings.h"
#include "platform/fake/fake_log.h"
#include "platform/fake/fake_platform.h"
#include "settings/key_table.h"
#include "settings/load_settings.h"
#include "settings/setting_values.h"
#include "settings/settings_writer.h"

namespace banchiro {
namespace {

// A start on this screen over a store that holds `stored` ("OptCas",
// "RgtClick(1,0)", ... with their sections from the key table).
using Store = std::map<std::string, std::string>;

struct Loaded {
  explicit Loaded(const Store& stored, ScreenMetrics screen = {1024, 768, 15, 15}) {
    for (const auto& [key, text] : stored)
      fake.store.Set(Section(key), key, text);
    runs = LoadSettings(settings, fake.store, fake.message_boxes, fake.process,
                        {screen, PaletteOuterSize(screen.width_twips())});
  }
  static std::string_view Section(const std::string& key) {
    return FindKey(key.substr(0, key.find('(')))->section;
  }
  std::string Stored(const std::string& key) const {
    return fake.store.Get(Section(key), key).value_or("<absent>");
  }
  // The record's text of a key with at most one index.
  std::string Record(const std::string& key) {
    const auto open = key.find('(');
    const KeyDef* def = FindKey(key.substr(0, open));
    const int index = open == std::string::npos ? 0 : std::stoi(key.substr(open + 1));
    return def->field(settings, 0, index - def->first);
  }

  FakePlatform fake;
  Settings settings;
  bool runs = false;
};

TEST(LoadSettingsTest, FirstStartWritesEverySectionAndTheNextOnlyTheRunningFlag) {
  const Loaded first(Store{});
  ASSERT_TRUE(first.runs);
  EXPECT_TRUE(first.fake.message_boxes.shown.empty());
  std::map<std::string, int> per_section;
  for (const auto& [key, text] : first.fake.store.values())
    ++per_section[key.first];
  std::string counts;
  for (const auto& [section, count] : per_section)
    counts += section + "=" + std::to_string(count) + " ";
  EXPECT_EQ(counts, "Config=42 DispMethod=14 Exclude=2 FunctionKey=45 Position=1 RightClick=47 ");
  std::string picked;
  for (const char* key : {"OptStat", "OptRun", "OptRat(0)", "OptRat(1)", "OptCol(0)", "OptCol(1)",
                          "RgtClick(2,13)", "RgtClick(1,0)", "S_Top"})
    picked += first.Stored(key) + " ";
  EXPECT_EQ(picked, "1 2 12 8 65535 0 1 0 <absent> ");
  EXPECT_EQ(first.settings.exclusion_count, 2);
  EXPECT_NE(testing::WritesSince(first.fake.store)
                .find("OptSat(0)=1 OptPix(0)=70 OptIval(0)=0 OptSat(1)="),
            std::string::npos)
      << "keys of one range are written index by index";
  EXPECT_EQ(first.settings.OptMaj, "") << "the record keeps the version as read";

  FakePlatform again;
  for (const auto& [key, text] : first.fake.store.values())
    again.store.Set(key.first, key.second, text);
  again.store.Set(kSectionConfig, "OptStat", "0");  // an orderly end in between
  Settings second;
  ASSERT_TRUE(LoadSettings(second, again.store, again.message_boxes, again.process, {}));
  EXPECT_EQ(testing::WritesSince(again.store), "OptStat=1");
}

TEST(LoadSettingsTest, VersionGuardAndTheOldCommandsReset) {
  const struct {
    const char *major, *minor, *revision;
    bool runs, reset;
  } cases[] = {{"6", "5", "3", true, false},  {"3", "1", "0", true, true},
               {"3", "2", "0", true, false},  {"6", "6", "1", false, false},
               {"7", "0", "0", false, false}, {"abc", "", "", true, true},
               {"6", "5", "10", true, false}, {"6", "10", "0", false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.major) + "." + c.minor + "." + c.revision);
    Loaded l({{"OptMaj", c.major},
              {"OptMir", c.minor},
              {"OptRev", c.revision},
              {"D_Method(12)", "custom.exe"}});
    EXPECT_EQ(l.runs, c.runs);
    EXPECT_EQ(l.Stored("OptMaj") + l.Stored("OptMir") + l.Stored("OptRev"), "660");
    EXPECT_EQ(l.fake.process.ended_with.size(), c.runs ? 0u : 1u);
    if (c.runs) {
      EXPECT_EQ(l.settings.D_Method[12], c.reset ? "BANCHIRO.EXE U" : "custom.exe");
      EXPECT_EQ(l.Stored("D_Method(12)"), l.settings.D_Method[12]);
      continue;
    }
    ASSERT_EQ(l.fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(l.fake.message_boxes.shown[0].text, kNewerSettingsMessage);
    EXPECT_EQ(l.fake.message_boxes.shown[0].icon, MessageIcon::kStop);
    for (const auto& w : l.fake.store.writes())
      EXPECT_TRUE(w.key == "OptMaj" || w.key == "OptMir" || w.key == "OptRev") << w.key;
  }
}

// A store that takes no write ends the start with a message, on a first
// start and on a later one alike.
TEST(LoadSettingsTest, AStoreThatTakesNoWriteEndsTheStart) {
  for (const bool first : {true, false}) {
    FakePlatform fake;
    if (!first) fake.store.Set(kSectionConfig, "OptStat", "0");
    fake.store.failing_writes = 1000;
    Settings settings;
    FakeLog log;
    EXPECT_FALSE(LoadSettings(settings, fake.store, fake.message_boxes, fake.process, {}));
    ASSERT_EQ(log.lines.size(), fake.store.writes().size()) << "a line for each";
    EXPECT_EQ(log.lines.back(), "settings load failed: writing " +
                                    fake.store.writes().back().section + "\\" +
                                    fake.store.writes().back().key);
    ASSERT_EQ(fake.message_boxes.shown.size(), 1u);
    EXPECT_EQ(fake.message_boxes.shown[0].title, kUnwritableSettingsTitle);
    EXPECT_EQ(fake.process.ended_with.size(), 1u);
  }
}

// The tab numbers of earlier versions are rewritten once, with the version
// keys (no version counts as earlier); what this version stored stays.
TEST(LoadSettingsTest, MigrationsAndRewrites) {
  const struct {
    const char *key, *stored, *loaded;
    bool this_version = false;
  } cases[] = {
      {"OptCas", "5", "1.2"},       {"OptCas", "1.5", "1.5"},      {"OptCas", "10", "10"},
      {"OptLATab", "3", "1"},       {"OptLATab", "4", "2"},        {"OptLATab", "2", "2"},
      {"OptLATab", "3", "3", true}, {"OptLATab", "4", "4", true},  {"OptStat", "0", "1"},
      {"OptStat", "2", "2"},        {"JogaiWid(7)", " ", ""},      {"JogaiWid(5)", "  ", "  "},
      {"S_Top", "abc", "abc"},      {"OptPix(2)", "1e99", "1e99"},
  };
  for (const auto& c : cases) {
    Store stored{{c.key, c.stored}};
    if (c.this_version) stored.insert({{"OptMaj", "6"}, {"OptMir", "6"}, {"OptRev", "0"}});
    Loaded l(stored);
    EXPECT_EQ(l.Record(c.key) + "|" + l.Stored(c.key), std::string(c.loaded) + "|" + c.loaded)
        << c.key << "=" << c.stored << (c.this_version ? " of this version" : "");
  }
}

TEST(LoadSettingsTest, RightClickRowsAndExcludedTitles) {
  const Loaded l({{"RgtClick(1,0)", "1"},
                  {"RgtClick(2,3)", "0"},
                  {"JogaiWid(0)", "メモ帳"},
                  {"JogaiWid(99)", "電卓"}});
  // Row 1 was saved whole, so its missing entries are the user's gaps; row 2
  // lacks its first entry and is written anew, like row 0.
  const auto& rows = l.settings.RgtClick;
  EXPECT_EQ(rows[1][0] + "|" + rows[1][1] + "|" + l.Stored("RgtClick(1,1)") + "|" + rows[2][3] +
                l.Stored("RgtClick(2,3)") + rows[0][13],
            "1||<absent>|110");
  EXPECT_EQ(l.settings.JogaiWid[1], "ファンクションキー");
  EXPECT_EQ(l.settings.exclusion_count, 3);
}

TEST(LoadSettingsTest, PositionDefaultsFollowTheScreen) {
  const struct {
    ScreenMetrics screen;
    const char* expected;  // S_Top S_Left F_Top F_Left
  } cases[] = {
      {{1024, 768, 15, 15}, "5450 6530 10321.5 1000"},
      {{1920, 1080, 15, 15}, "7790 13250 15001.5 5205"},    // large palette
      {{1366, 768, 7.5, 7.5}, "2570 3972 4561.5 -1557.5"},  // 192 DPI, a half to even
  };
  for (const auto& c : cases) {
    const Loaded l(Store{}, c.screen);
    const Settings& s = l.settings;
    EXPECT_EQ(s.S_Top + " " + s.S_Left + " " + s.F_Top + " " + s.F_Left, c.expected);
  }
}

TEST(SettingValuesTest, NumbersAtTheStartOfTheirText) {
  Settings s;
  // The palette's tests cover "0", "" and "13"; these are the numbers' own.
  const std::pair<const char*, int> keys[] = {
      {"12", 12}, {" 5", 5}, {"5.0", 5}, {"5.5", 0}, {"-1", 0}};
  for (const auto& [text, key] : keys) {
    s.Fkey[13] = text;
    EXPECT_EQ(AssignedKey(s, 13).value_or(0), key) << '"' << text << '"';
  }
  const std::pair<const char*, std::uint32_t> colours[] = {
      {"16777215", 0xFFFFFF}, {"16777216", 0}, {"-1", 0}, {"2.5", 2}};
  for (const auto& [text, colour] : colours) {
    s.OptCol = {text, "255"};
    EXPECT_EQ(PaletteColour(s, 0), colour) << text;
    EXPECT_EQ(PaletteColour(s, 1), 255u);
  }
  EXPECT_EQ(PaletteColour(s, -1) + PaletteColour(s, 2), 0u);
}

TEST(SettingValuesTest, LayoutNumbersEdgeByEdgeWithTheirFallbacks) {
  Settings s;
  // Icon columns x pixels + adjustment, a different figure on every edge.
  s.OptSat = {"1", "2", "1", "0.5"};
  s.OptPix = {"10", "10", "30", "1"};
  s.OptIval = {"0", "0", "1", "0"};
  s.OptRat = {"12", "8"};
  s.OptCas = "0.3";
  const auto gaps = [&s] {
    std::string text;
    for (Edge e : {Edge::kLeft, Edge::kRight, Edge::kTop, Edge::kBottom})
      text += std::to_string(EdgeGap(s, e)) + " ";
    return text;
  };
  EXPECT_EQ(gaps(), "10 20 31 0 ");  // 0.5 to even
  EXPECT_EQ(UpperRatio(s), 12);
  EXPECT_EQ(LeftRatio(s), 8);
  EXPECT_FLOAT_EQ(CascadeDivisor(s), 1.5f);
  // Beyond 16 bits, or no number at all: the default gap of 70.
  s.OptPix = {"40000", "1e400", "-35000", "32767"};
  s.OptSat = {"1", "1", "1", "1"};
  s.OptIval = {"0", "0", "0", "1"};
  EXPECT_EQ(gaps(), "70 70 70 70 ");
  s.OptIval[3] = "0";
  EXPECT_EQ(EdgeGap(s, Edge::kBottom), 32767);
  // A divisor at or below 0, or no number, and shares outside 0..20: defaults.
  for (const char* cascade : {"-1.2", "1e39", "-5"}) {
    s.OptCas = cascade;
    EXPECT_EQ(CascadeDivisor(s), 2.4f) << cascade;
  }
  for (const auto& [upper, left, shares] : {std::tuple("21", "-1", "12 8"), {"20", "0", "20 0"}}) {
    s.OptRat = {upper, left};
    EXPECT_EQ(std::to_string(int(UpperRatio(s))) + " " + std::to_string(int(LeftRatio(s))), shares);
  }
  s.OptJog = {"0", "0", "1", "01"};
  s.OptHgt = {"1", "2", "30", "4"};
  s.OptWth = {"5", "6", "70", "8"};
  const SizeRule rule = SizeRuleAt(s, 2);
  EXPECT_TRUE(rule.on);
  EXPECT_EQ(rule.height, 30);
  EXPECT_EQ(rule.width, 70);
  EXPECT_FALSE(SizeRuleAt(s, 3).on || SizeRuleAt(s, 4).on || SizeRuleAt(s, -1).on);
}

// The writer sets the field and the stored value of exactly the key it names,
// and refuses whole a call whose indexes the key does not have.
TEST(SettingsWriterTest, SetsFieldAndStoreTogetherOrNothing) {
  Settings settings;
  const auto field = [&settings](Key key, int row, int index) {
    const KeyDef& def = KeyDefOf(key);
    return def.field ? def.field(settings, row, index - def.first) : "-";
  };
  const struct {
    Key key;
    int row, index;      // -1: not given
    const char* stored;  // "" when refused
  } cases[] = {
      {Key::OptCas, -1, -1, "Config\\OptCas"},
      {Key::OptCent, -1, -1, "Position\\OptCent"},
      {Key::OptSat, -1, 3, "Config\\OptSat(3)"},
      {Key::JogaiWid, -1, 99, "Exclude\\JogaiWid(99)"},
      {Key::RgtClick, 2, 13, "RightClick\\RgtClick(2,13)"},
      {Key::N_Wnd, -1, 20, "hWnd\\N_Wnd(20)"},
      {Key::SnedDispMethod, -1, -1, "DispMethod\\SnedDispMethod"},
      {Key::OptSat, -1, 4, ""},
      {Key::OptSat, -1, -1, ""},
      {Key::OptCas, -1, 0, ""},
      {Key::RgtClick, -1, 0, ""},
      {Key::RgtClick, 3, 0, ""},
      {Key::RgtClick, 0, 14, ""},
      {Key::N_Wnd, -1, 0, ""},
  };
  for (const auto& c : cases) {
    FakeSettingsStore store;
    SettingsWriter writer(settings, store);
    const bool ok = c.row >= 0     ? writer.Set(c.key, c.row, c.index, "v")
                    : c.index >= 0 ? writer.Set(c.key, c.index, "v")
                                   : writer.Set(c.key, "v");
    std::string written;
    for (const auto& w : store.writes())
      written += w.section + "\\" + w.key + (w.text == "v" ? "" : "?");
    EXPECT_EQ(written, c.stored) << static_cast<int>(c.key);
    EXPECT_EQ(ok, !written.empty());
    if (ok) {
      EXPECT_EQ(field(c.key, std::max(c.row, 0), std::max(c.index, 0)),
                KeyDefOf(c.key).field ? "v" : "-");
    }
  }
  // A key with a field needs the record; one without is stored alone.
  FakeSettingsStore store;
  EXPECT_FALSE(SettingsWriter(store).Set(Key::OptCas, "1.5"));
  EXPECT_TRUE(SettingsWriter(store).Set(Key::M_Count, "2"));
  EXPECT_EQ(testing::WritesSince(store), "M_Count=2");
  EXPECT_EQ(ReadStored(store, Key::M_Count) + ReadStored(store, Key::M_Wnd, 21), "2");
  // Twice: one failure is made good, two are reported.
  for (const int failures : {1, 2}) {
    FakeSettingsStore flaky;
    flaky.failing_writes = failures;
    EXPECT_EQ(SettingsWriter(settings, flaky).SetTwice(Key::OptStat, "0"), failures == 1);
    EXPECT_EQ(flaky.writes().size(), 2u);
    EXPECT_EQ(settings.OptStat, "0");
  }
}

// The fake stores take only the table's keys, each in its own section and
// settings: a value written to the wrong place fails the test that writes it.
TEST(SettingsWriterTest, AWriteOutsideTheTableFails) {
  FakePlatform fake;
  EXPECT_NONFATAL_FAILURE(fake.store.Write(kSectionConfig, "OptCent", "1"), "Config\\OptCent");
  EXPECT_NONFATAL_FAILURE(fake.store.Write(kSectionHWnd, kPublishedWindowKey, ""), "hWindow");
  EXPECT_NONFATAL_FAILURE(fake.relay_store.Write(kSectionHWnd, "N_Wnd(1)", ""), "KOVRAN");
  EXPECT_TRUE(fake.store.values().empty() && fake.relay_store.values().empty());
  const std::pair<const char*, bool> names[] = {
      {"OptSat(0)", true},      {"OptSat(3)", true},    {"OptSat(4)", false},
      {"OptSat(03)", false},    {"OptSat", false},      {"OptSat(1", false},
      {"OptCas", true},         {"OptCas(0)", false},   {"RgtClick(2,13)", true},
      {"RgtClick(3,0)", false}, {"RgtClick(2)", false}, {"RgtClick(0,1,2)", false}};
  for (const auto& [name, known] : names) {
    const KeyDef* key = FindKey(std::string(name).substr(0, std::string(name).find('(')));
    EXPECT_EQ(IsTableKey(kApplicationName, key->section, name), known) << name;
  }
  EXPECT_TRUE(IsTableKey(kRelayApplicationName, kSectionHWnd, kKeyTakenWindowKey));
}

}  // namespace
}  // namespace banchiro
