#include <gtest/gtest.h>

#include "relay/hot_key.h"
#include "relay/relay.h"

namespace banchiro::relay {
namespace {

TEST(RelayArgumentTest, OneFunctionKeyAndNothingElse) {
  const std::pair<const char*, int> cases[] = {
      {"F1", 1},  {"f12", 12},  {" F5\t", 5}, {"F10", 10}, {"", 0},     {"F0", 0},  {"F13", 0},
      {"F01", 0}, {"F1 F2", 0}, {"/F1", 0},   {"F1x", 0},  {"Ｆ１", 0}, {"F123", 0}};
  for (const auto& [argument, key] : cases)
    EXPECT_EQ(FunctionKeyForArgument(argument).value_or(0), key) << "[" << argument << "]";
  EXPECT_EQ(KeyTakenMessage(12), "Ctrl＋Ｆ12 は他のプログラムが使用しています。");
}

// The program is the first word or the quoted name; a bare name lies beside the relay, a fully
// qualified path stands as written, ".exe" is added; odd quoting and other names run nothing.
TEST(RelayLaunchTest, WhatTheRelayRunsAndHow) {
  const auto split = [](const char* line) {
    const auto p = SplitCommand(line);
    return p ? p->program + "|" + p->arguments : "-";
  };
  EXPECT_EQ(split(" B.EXE\tG  H "), "B.EXE|G  H ");
  EXPECT_EQ(split("\"C:\\My B.EXE\" /a \"b c\""), "C:\\My B.EXE|/a \"b c\"");
  for (const char* odd : {" \t", "\"\" G", "\"\"\"", "\"B.EXE G", "\"B\".EXE G", "B\"C.EXE G"})
    EXPECT_EQ(split(odd), "-") << "[" << odd << "]";
  const std::pair<const char*, const char*> paths[] = {{"B", "C:\\K\\B.exe"},
                                                       {"d:/x.v2/y", "d:/x.v2/y.exe"},
                                                       {"\\\\srv\\s\\x.exe", "\\\\srv\\s\\x.exe"}};
  for (const auto& [program, path] : paths)
    EXPECT_EQ(ProgramPath(program, "C:\\K\\"), path);
  for (const char* refused : {"", "..", "sub\\A.EXE", "..\\A.EXE", "\\A.EXE", "C:A.EXE",
                              "C:\\dir\\", "A?.EXE", "A|B", "A\x01", "C:\\a.exe:s", "\\\\\\x.exe"})
    EXPECT_FALSE(ProgramPath(refused, "C:\\K")) << "[" << refused << "]";
  EXPECT_FALSE(ProgramPath("A.EXE", "")) << "without a folder of its own, no bare names";
  const auto plan = PlanLaunch("\"D:\\X\\t.exe\" /a \"b\"", "C:").value();
  EXPECT_EQ(plan.application + "|" + plan.command_line + "|" + plan.folder,
            "D:\\X\\t.exe|\"D:\\X\\t.exe\" /a \"b\"|C:\\");
  EXPECT_FALSE(PlanLaunch("\"B.EXE G", "C:\\K") || PlanLaunch("sub\\B.EXE G", "C:\\K"));
}

struct RecordingHost : RelayHost {
  using S = std::string;
  S ReadHandedOverCommand() override { return Note("read"), command; }
  S ProgramFolder() override { return "C:\\K\\"; }
  bool RegisterHotKey(int key) override { return Note("F" + std::to_string(key)), key_free; }
  void PublishWindow(bool taken) override { Note(taken ? "publish taken" : "publish"); }
  void ShowExclamation(const S& text, const S& title) override { Note(text + " / " + title); }
  bool Launch(const LaunchPlan& plan) override { return Note(plan.command_line), true; }
  void Note(const S& what) { log += (log.empty() ? "" : ", ") + what; }

  S command, log;  // what the relay asked, in order
  bool key_free = true;
};

TEST(RelayStartTest, CommandThenKeyThenPublishedAndEachPressRunsThatCommand) {
  const std::tuple<const char*, bool, const char*> cases[] = {
      {"B.EXE G", true, "read, F5, publish, \"C:\\K\\B.EXE\" G, \"C:\\K\\B.EXE\" G"},
      {"B.EXE G", false,
       "read, F5, publish taken, Ctrl＋Ｆ５ は他のプログラムが使用しています。 / ホットキー確認"},
      {"sub\\B.EXE G", true, "read, F5, publish"}};  // the key held, nothing run
  for (const auto& [command, key_free, log] : cases) {
    RecordingHost host;
    host.command = command, host.key_free = key_free;
    Relay relay(host, 5);
    EXPECT_EQ(relay.Start(), key_free ? StartResult::kServing : StartResult::kKeyTaken);
    host.command = "B.EXE S";  // the starter hands the next relay its command
    if (key_free) relay.OnHotKey(), relay.OnHotKey();
    EXPECT_EQ(host.log, log);
  }
}

}  // namespace
}  // namespace banchiro::relay
