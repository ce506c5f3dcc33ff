#include "app/command_line.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace banchiro {
namespace {

TEST(CommandLineTest, ArgumentTextAfterTheProgramName) {
  const std::pair<const char*, const char*> cases[] = {
      {"BANCHIRO.EXE G", "G"},
      {"BANCHIRO.EXE   G", "G"},
      {"BANCHIRO.EXE\tg", "g"},
      {"\"C:\\Program Files\\ばんちろ\\BANCHIRO.EXE\" M", "M"},
      {"\"C:\\Program Files\\BANCHIRO.EXE\"M", ""},  // as Windows splits it: one name
      {"  BANCHIRO.EXE G", "G"},
      {"BANCHIRO.EXE", ""},
      {"BANCHIRO.EXE M ", "M "},
      {"BANCHIRO.EXE G H", "G H"},
      {"\"unterminated M", ""},
      {"", ""},
  };
  for (const auto& [line, argument] : cases)
    EXPECT_EQ(ArgumentText(line), argument) << line;
}

TEST(CommandLineTest, ExactlyTheTwentyEightLetters) {
  const std::string upper = "SLKJGOHNEDFMUA";
  const std::string lower = "slkjgohnedfmua";
  for (int n = 0; n < 14; ++n) {
    EXPECT_EQ(MethodForArgument(std::string(1, upper[n])), n);
    EXPECT_EQ(MethodForArgument(std::string(1, lower[n])), n);
  }
  for (const char* refused :
       {"", "/M", "-M", "MM", "M ", " M", "上下に並べて表示", "B", "1", "Z", "\"M\""}) {
    EXPECT_FALSE(MethodForArgument(refused)) << refused;
  }
}

TEST(CommandLineTest, RunsTheNamedMethodOnly) {
  for (const auto& [line, closes] : {std::pair<const char*, bool>{"BANCHIRO.EXE a", true},
                                     {"BANCHIRO.EXE A", true},
                                     {"BANCHIRO.EXE /A", false},
                                     {"BANCHIRO.EXE", false}}) {
    FakePlatform fake;
    fake.desktop.Add({});
    Settings settings;
    RunCommandLine(line, fake.platform, settings);
    EXPECT_EQ(fake.desktop.calls.size(), closes ? 1u : 0u) << line;
  }
}

}  // namespace
}  // namespace banchiro
