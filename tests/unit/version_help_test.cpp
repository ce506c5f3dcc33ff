// The version dialog's rules and where a help request goes.
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "platform/help.h"
#include "ui/version/version_dialog_model.h"

namespace banchiro {
namespace {

// The program's windows are 1 (enabled), 2 (enabled) and 3 (disabled by a
// dialog of its own); the dialog is 7. `while_open` plays the user.
struct VersionRig : VersionDialogView {
  void ShowContactColours(const std::array<std::uint32_t, kContactCount>& c) override {
    std::string shown;
    for (const std::uint32_t colour : c)
      shown += colour == kContactLit ? 'L' : colour == kContactAtRest ? '.' : '?';
    Log(shown);
  }
  std::vector<ProgramWindow> ProgramWindows() override { return windows; }
  void EnableWindow(WindowHandle w, bool on) override { Log((on ? "+" : "-") + std::to_string(w)); }
  bool Create() override {
    Log("create");
    return creates;
  }
  void BringForward() override { Log("forward"); }
  void RunUntilClosed() override {
    Log("run");
    while_open();
  }
  void Destroy() override { Log("destroy"); }
  WindowHandle Handle() override { return 7; }
  void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }
  FakePlatform fake;
  std::string log;
  std::vector<ProgramWindow> windows{{1, true}, {2, true}, {3, false}};
  bool creates = true;
  std::function<void()> while_open = [] {};
  VersionDialogModel model{fake.platform, {"a@example.com", "https://h.example.com/p/"}, *this};
};

// -1 stands for the dialog's background; only changes are shown.
TEST(VersionDialogTest, TheMailPairAndTheHomePageLinesLightUpAsGroups) {
  const std::pair<std::vector<int>, const char*> cases[] = {
      {{10, 11}, "LL..."},       {{11}, "LL..."},
      {{12}, "..LLL"},           {{14, 13}, "..LLL"},
      {{10, 12}, "LL... ..LLL"}, {{13, -1}, "..LLL ....."},
      {{9, 15, 0, 19}, ""},      {{-1}, ""}};
  for (const auto& [moves, shown] : cases) {
    VersionRig r;
    for (const int label : moves)
      label < 0 ? r.model.HoverBackground() : r.model.HoverContact(label);
    EXPECT_EQ(r.log, shown) << moves.front();
  }
}

// The link goes to the shell as the dialog's, which shows no error of its own.
TEST(VersionDialogTest, AClickOpensItsAddressAndOnlyAFailureSpeaks) {
  const std::tuple<int, bool, const char*, const char*> cases[] = {
      {10, true, "open mailto:a@example.com for 7", ""},
      {11, false, "open mailto:a@example.com for 7", kNoMailClientTitle},
      {12, true, "open https://h.example.com/p/ for 7", ""},
      {14, false, "open https://h.example.com/p/ for 7", kNoBrowserTitle},
      {9, true, "", ""},
      {15, false, "", ""}};
  for (const auto& [label, opens, opened, title] : cases) {
    VersionRig r;
    r.fake.shell.opens = opens;
    r.model.OpenContact(label);
    EXPECT_EQ(r.fake.shell.calls.empty() ? "" : r.fake.shell.calls[0], opened) << label;
    EXPECT_EQ(r.fake.message_boxes.shown.empty() ? "" : r.fake.message_boxes.shown[0].title, title);
  }
}

// One at a time: a second request (the tray stays live) brings it forward;
// closing it enables what it disabled and nothing else; each opening starts
// with the contacts at rest.
TEST(VersionDialogTest, OneAtATimeAndClosingEnablesExactlyWhatItDisabled) {
  VersionRig r;
  r.while_open = [&] {
    r.model.HoverContact(10);
    r.model.Show();
    r.model.OnOk();
    r.model.Unload();
  };
  for (const bool creates : {true, true, false}) {  // nothing to close when none was made
    r.creates = creates;
    r.model.Show();
  }
  r.model.Unload();
  EXPECT_EQ(r.log,
            "create -1 -2 run LL... forward +1 +2 destroy create -1 -2 run LL... forward +1 +2 "
            "destroy create");
}

TEST(VersionDialogTest, TheHomePageOnTwoLinesAndTheLabelsFromTheBuild) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"https://h.example.com/p/q", "https://h.example.com", "/p/q"},
      {"http://h.example.com", "http://h.example.com", ""},
      {"www.example.com/a", "www.example.com", "/a"}};
  for (const auto& [url, host, path] : cases)
    EXPECT_EQ(SplitHomePage(url), (std::pair<std::string, std::string>(host, path)));
  std::string texts;
  for (const VersionLabel& l : VersionLabels({"m@example.com", "https://h/p"}, "6.6.0"))
    texts += std::to_string(l.index) + "=" + l.look.text + " ";
  EXPECT_NE(texts.find("5=Ver.6.6.0 "), std::string::npos) << texts;
  EXPECT_NE(texts.find("11=m@example.com 12=URL Address： 13=https://h 14=/p "), std::string::npos);
}

TEST(HelpTest, WinHelpWhereItWorksOtherwiseTheSameTopicAsHtml) {
  const std::tuple<bool, bool, HelpRequest, int, const char*> cases[] = {
      {true, true, HelpRequest::kContext, 38, "hlp C:\\B\\BANCHIRO.HLP"},
      {false, true, HelpRequest::kContext, 38, "C:\\B\\help\\context-38.html"},
      {true, false, HelpRequest::kContents, 0, "C:\\B\\help\\index.html"},
      {false, true, HelpRequest::kKeywordSearch, 0, "C:\\B\\help\\keywords.html"},
  };
  for (const auto& [viewer, exists, request, context, shown] : cases) {
    const HelpTarget t = ChooseHelp("C:\\B\\BANCHIRO.HLP", request, context, viewer, exists);
    EXPECT_EQ((t.winhelp ? "hlp " : "") + t.file, shown);
  }
  EXPECT_EQ(HtmlHelpPage("BANCHIRO.HLP", HelpRequest::kContents, 0), "help\\index.html");
}

}  // namespace
}  // namespace banchiro
