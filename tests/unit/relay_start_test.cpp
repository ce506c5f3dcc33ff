#include "relay/relay.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "relay/hot_key.h"

namespace banchiro::relay {
namespace {

// Records what the relay asks of the system, in order.
class RecordingHost : public RelayHost {
 public:
  std::string command = "BANCHIRO.EXE G";
  std::string folder = "C:\\Tools\\ばんちろ";
  bool key_free = true;
  bool launch_works = true;
  std::vector<std::string> log;
  std::vector<LaunchPlan> launched;

  std::string ReadHandedOverCommand() override {
    log.push_back("read");
    return command;
  }
  std::string ProgramFolder() override { return folder; }
  bool RegisterHotKey(int key) override {
    log.push_back("register F" + std::to_string(key));
    return key_free;
  }
  void PublishWindow() override { log.push_back("publish"); }
  void ShowExclamation(const std::string& text, const std::string& title) override {
    log.push_back("message " + text + " / " + title);
  }
  bool Launch(const LaunchPlan& plan) override {
    log.push_back("launch");
    launched.push_back(plan);
    return launch_works;
  }
};

using Log = std::vector<std::string>;

TEST(RelayStartTest, TakesTheCommandAndTheKeyBeforePublishing) {
  RecordingHost host;
  Relay relay(host, 5);
  EXPECT_EQ(relay.Start(), StartResult::kServing);
  EXPECT_EQ(host.log, (Log{"read", "register F5", "publish"}));
}

TEST(RelayStartTest, ATakenKeyIsReportedOnceAndNothingIsPublished) {
  for (int key = kFirstFunctionKey; key <= kLastFunctionKey; ++key) {
    RecordingHost host;
    host.key_free = false;
    Relay relay(host, key);
    EXPECT_EQ(relay.Start(), StartResult::kKeyTaken) << key;
    EXPECT_EQ(host.log, (Log{"read", "register F" + std::to_string(key),
                             "message " + KeyTakenMessage(key) + " / ホットキー確認"}))
        << key;
  }
}

TEST(RelayHotKeyTest, EachPressStartsTheCommandTakenAtTheStart) {
  RecordingHost host;
  Relay relay(host, 3);
  ASSERT_EQ(relay.Start(), StartResult::kServing);
  // The starter hands the next relay its command through the same setting.
  host.command = "BANCHIRO.EXE S";
  relay.OnHotKey();
  relay.OnHotKey();
  ASSERT_EQ(host.launched.size(), 2u);
  for (const auto& plan : host.launched) {
    EXPECT_EQ(plan.application, "C:\\Tools\\ばんちろ\\BANCHIRO.EXE");
    EXPECT_EQ(plan.command_line, "\"C:\\Tools\\ばんちろ\\BANCHIRO.EXE\" G");
    EXPECT_EQ(plan.folder, "C:\\Tools\\ばんちろ");
  }
  EXPECT_EQ(host.log, (Log{"read", "register F3", "publish", "launch", "launch"}));
}

TEST(RelayHotKeyTest, AFailedStartLeavesTheRelayServing) {
  RecordingHost host;
  host.launch_works = false;
  Relay relay(host, 12);
  ASSERT_EQ(relay.Start(), StartResult::kServing);
  relay.OnHotKey();
  relay.OnHotKey();
  EXPECT_EQ(host.launched.size(), 2u);
}

TEST(RelayHotKeyTest, ACommandThatCannotRunStillServesTheKeyButStartsNothing) {
  // The key stays held (the user gave it to BANCHIRO), and the starter must
  // see the relay come up, or it would wait for it in vain.
  for (const char* command : {"", "  ", "\"BANCHIRO.EXE G", "sub\\BANCHIRO.EXE G", "A*.EXE"}) {
    RecordingHost host;
    host.command = command;
    Relay relay(host, 1);
    EXPECT_EQ(relay.Start(), StartResult::kServing) << command;
    relay.OnHotKey();
    EXPECT_EQ(host.log, (Log{"read", "register F1", "publish"})) << command;
  }
}

}  // namespace
}  // namespace banchiro::relay
