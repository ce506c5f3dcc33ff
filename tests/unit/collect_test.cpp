#include "engine/collect.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "default_settings.h"

namespace banchiro {
namespace {

class CollectTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(testing::LoadDefaultSettings(fake, settings)); }
  WindowTable Collect() {
    return CollectWindows(fake.desktop, fake.store, fake.message_boxes, settings);
  }
  bool Kept(const FakeWindow& window) {
    FakeDesktop desktop;
    desktop.Add(window);
    return CollectWindows(desktop, fake.store, fake.message_boxes, settings).size() == 1;
  }

  FakePlatform fake;
  Settings settings;
};

TEST_F(CollectTest, Filters) {
  const auto W = [](auto change) {
    FakeWindow w;
    change(w);
    return w;
  };
  const struct {
    const char* what;
    FakeWindow window;
    bool kept;
  } cases[] = {
      {"ordinary", FakeWindow{}, true},
      {"invisible", W([](FakeWindow& w) { w.visible = false; }), false},
      {"minimised", W([](FakeWindow& w) { w.show_command = kShowMinimized; }), false},
      {"maximised", W([](FakeWindow& w) { w.show_command = kShowMaximized; }), true},
      {"class IME", W([](FakeWindow& w) { w.class_name = "IME"; }), false},
      {"class Progman", W([](FakeWindow& w) { w.class_name = "Progman"; }), false},
      {"class Static", W([](FakeWindow& w) { w.class_name = "Static"; }), false},
      {"class static (case)", W([](FakeWindow& w) { w.class_name = "static"; }), true},
      {"class TfrmThClock", W([](FakeWindow& w) { w.class_name = "TfrmThClock"; }), false},
      {"empty class", W([](FakeWindow& w) { w.class_name = ""; }), false},
      {"ThunderRT6Main", W([](FakeWindow& w) { w.class_name = "ThunderRT6Main"; }), false},
      {"ThunderXYZMainX", W([](FakeWindow& w) { w.class_name = "ThunderXYZMainX"; }), false},
      {"ThunderRT6FormDC", W([](FakeWindow& w) { w.class_name = "ThunderRT6FormDC"; }), true},
      {"ThunderMain", W([](FakeWindow& w) { w.class_name = "ThunderMain"; }), true},
      {"empty title", W([](FakeWindow& w) { w.title = ""; }), false},
      {"own main window", W([](FakeWindow& w) { w.title = "ばんちろ君 for Win"; }), false},
      {"title contains", W([](FakeWindow& w) { w.title = "x ファンクションキー y"; }), false},
      {"title case differs", W([](FakeWindow& w) { w.title = "ばんちろ君 FOR WIN"; }), true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Kept(c.window), c.kept) << c.what;
}

TEST_F(CollectTest, SizeRules) {
  settings.OptJog[0] = "1";
  settings.OptHgt[0] = "100";
  settings.OptWth[0] = "200";
  const struct {
    int height, width;
    bool kept;
  } cases[] = {
      {99, 199, false}, {100, 150, true}, {50, 200, true}, {100, 200, true}, {0, 0, false}};
  for (const auto& c : cases) {
    FakeWindow w;
    w.rect = Rect{0, 0, c.width, c.height};
    EXPECT_EQ(Kept(w), c.kept) << c.height << " x " << c.width;
  }
  settings.OptJog[0] = "0";
  settings.OptJog[3] = "1";
  settings.OptHgt[3] = "50";
  settings.OptWth[3] = "50";
  FakeWindow small;
  small.rect = Rect{0, 0, 99, 49};
  EXPECT_TRUE(Kept(small));
  small.rect = Rect{0, 0, 49, 49};
  EXPECT_FALSE(Kept(small));
}

TEST_F(CollectTest, ExcludedTitlesAcrossGapsAndGapsExcludeNothing) {
  settings.JogaiWid[0] = "";  // a gap inside the counted entries
  settings.JogaiWid[1] = "メモ帳";
  settings.JogaiWid[2] = "電卓";
  settings.exclusion_count = 2;
  FakeWindow w;
  w.title = "無題 - メモ帳";
  EXPECT_FALSE(Kept(w));
  w.title = "電卓";  // entry 2 lies beyond the count, after a gap
  EXPECT_FALSE(Kept(w));
  w.title = "無題";
  EXPECT_TRUE(Kept(w)) << "an empty entry must not exclude every window";
}

TEST_F(CollectTest, RowsAreTopmostFirstAndRecorded) {
  const WindowHandle a = fake.desktop.Add({});
  FakeWindow hidden;
  hidden.visible = false;
  fake.desktop.Add(hidden);
  const WindowHandle b = fake.desktop.Add({});
  const WindowTable table = Collect();
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].handle, a);
  EXPECT_EQ(table[1].handle, b);
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "N_Wnd(1)"), std::to_string(a));
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "N_Wnd(2)"), std::to_string(b));
  EXPECT_FALSE(fake.store.Has(kSectionHWnd, "N_Wnd(3)"));
}

TEST_F(CollectTest, TwentyWindowLimit) {
  std::vector<WindowHandle> handles;
  for (int i = 0; i < 23; ++i)
    handles.push_back(fake.desktop.Add({}));
  const WindowTable table = Collect();
  ASSERT_EQ(table.size(), 20u);
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(table[i].handle, handles[i]);
  ASSERT_EQ(fake.message_boxes.shown.size(), 3u);
  EXPECT_EQ(fake.message_boxes.shown[0].text,
            "窓の数が '20' を超えました。 超えた窓は無視されます。");
  EXPECT_EQ(fake.message_boxes.shown[0].title, "窓の数 確認");
  EXPECT_EQ(fake.message_boxes.shown[0].icon, MessageIcon::kExclamation);
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "N_Wnd(20)"), std::to_string(handles[19]));
  EXPECT_FALSE(fake.store.Has(kSectionHWnd, "N_Wnd(21)"));
}

TEST_F(CollectTest, OlderRecordsAboveTheCountStay) {
  for (int i = 0; i < 8; ++i)
    fake.desktop.Add({});
  Collect();
  const auto old_eighth = fake.store.Get(kSectionHWnd, "N_Wnd(8)");
  fake.desktop.windows.resize(5);
  fake.desktop.windows[0].handle = 0x7777;
  Collect();
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "N_Wnd(1)"), "30583");
  EXPECT_EQ(fake.store.Get(kSectionHWnd, "N_Wnd(8)"), old_eighth);
}

TEST(HandleTextTest, SignedThirtyTwoBitDecimal) {
  EXPECT_EQ(HandleText(0x10010), "65552");
  EXPECT_EQ(HandleText(0xFFFFFFFF), "-1");
  EXPECT_EQ(HandleText(-2), "-2");
}

}  // namespace
}  // namespace banchiro
