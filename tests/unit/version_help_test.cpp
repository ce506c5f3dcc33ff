// The version dialog's rules and where a help request goes.
#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "platform/help.h"
#include "ui/version/version_dialog_model.h"

namespace banchiro {
namespace {

struct VersionRig : VersionDialogView {
  void ShowContactColours(const std::array<std::uint32_t, kContactCount>& c) override {
    std::string shown;
    for (const std::uint32_t colour : c)
      shown += colour == kContactLit ? 'L' : colour == kContactAtRest ? '.' : '?';
    log += (log.empty() ? "" : " ") + shown;
  }
  void Close() override { log += " close"; }
  FakePlatform fake;
  std::string log;
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
      label < 0 ? r.model.Form_MouseMove() : r.model.Label1_MouseMove(label);
    EXPECT_EQ(r.log, shown) << moves.front();
  }
}

TEST(VersionDialogTest, AClickOpensItsAddressAndOnlyAFailureSpeaks) {
  const struct {
    int label;
    bool opens;
    const char *opened, *title;
  } cases[] = {{10, true, "open mailto:a@example.com", ""},
               {11, false, "open mailto:a@example.com", kNoMailClientTitle},
               {12, true, "open https://h.example.com/p/", ""},
               {14, false, "open https://h.example.com/p/", kNoBrowserTitle},
               {9, true, "", ""},
               {15, false, "", ""}};
  for (const auto& c : cases) {
    VersionRig r;
    r.fake.shell.opens = c.opens;
    r.model.Label1_Click(c.label);
    EXPECT_EQ(r.fake.shell.calls.empty() ? "" : r.fake.shell.calls[0], c.opened) << c.label;
    EXPECT_EQ(r.fake.message_boxes.shown.empty() ? "" : r.fake.message_boxes.shown[0].title,
              c.title);
  }
  VersionRig r;
  r.model.Command1_Click();
  EXPECT_EQ(r.log, " close");
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
  const struct {
    bool viewer, exists;
    HelpRequest request;
    int context;
    const char* shown;
  } cases[] = {
      {true, true, HelpRequest::kContext, 38, "hlp C:\\B\\BANCHIRO.HLP"},
      {false, true, HelpRequest::kContext, 38, "C:\\B\\help\\context-38.html"},
      {true, false, HelpRequest::kContents, 0, "C:\\B\\help\\index.html"},
      {false, true, HelpRequest::kKeywordSearch, 0, "C:\\B\\help\\keywords.html"},
  };
  for (const auto& c : cases) {
    const HelpTarget t =
        ChooseHelp("C:\\B\\BANCHIRO.HLP", c.request, c.context, c.viewer, c.exists);
    EXPECT_EQ((t.winhelp ? "hlp " : "") + t.file, c.shown);
  }
  EXPECT_EQ(HtmlHelpPage("BANCHIRO.HLP", HelpRequest::kContents, 0), "help\\index.html");
}

}  // namespace
}  // namespace banchiro
