#include "relay/launch.h"

#include <gtest/gtest.h>

namespace banchiro::relay {
namespace {

constexpr const char* kFolder = "C:\\Tools\\ばんちろ";

struct SplitCase {
  const char* line;
  const char* program;
  const char* arguments;
};

TEST(RelaySplitCommandTest, ProgramNameAndTheRest) {
  const SplitCase cases[] = {
      {"BANCHIRO.EXE G", "BANCHIRO.EXE", "G"},
      {"  BANCHIRO.EXE\tG  H", "BANCHIRO.EXE", "G  H"},
      {"BANCHIRO.EXE G ", "BANCHIRO.EXE", "G "},
      {"BANCHIRO.EXE", "BANCHIRO.EXE", ""},
      {"BANCHIRO.EXE   ", "BANCHIRO.EXE", ""},
      {"\"BANCHIRO.EXE\" G", "BANCHIRO.EXE", "G"},
      {"\"C:\\Program Files\\ばんちろ\\BANCHIRO.EXE\" M",
       "C:\\Program Files\\ばんちろ\\BANCHIRO.EXE", "M"},
      {"\"my tool.exe\"", "my tool.exe", ""},
      {"tool.exe /a \"b c\" d", "tool.exe", "/a \"b c\" d"},
      {"KOVRAN.EXE F5", "KOVRAN.EXE", "F5"},
  };
  for (const auto& c : cases) {
    const auto parts = SplitCommand(c.line);
    ASSERT_TRUE(parts) << c.line;
    EXPECT_EQ(parts->program, c.program) << c.line;
    EXPECT_EQ(parts->arguments, c.arguments) << c.line;
  }
}

TEST(RelaySplitCommandTest, NothingForEmptyOrOddlyQuotedCommands) {
  for (const char* refused : {
           "",
           "   ",
           "\t",
           "\"",
           "\"\"",
           "\"\" G",
           "\"BANCHIRO.EXE G",    // never closed
           "\"BANCHIRO.EXE\"G",   // Windows would run BANCHIRO.EXEG
           "\"BANCHIRO\".EXE G",  // the same, glued on
           "BAN\"CHIRO.EXE G",
           "BANCHIRO.EXE\" G",
       }) {
    EXPECT_FALSE(SplitCommand(refused)) << "[" << refused << "]";
  }
}

struct PathCase {
  const char* program;
  const char* path;
};

TEST(RelayProgramPathTest, BareNamesLieInTheRelaysFolderFullPathsStandAsWritten) {
  const PathCase cases[] = {
      {"BANCHIRO.EXE", "C:\\Tools\\ばんちろ\\BANCHIRO.EXE"},
      {"banchiro.exe", "C:\\Tools\\ばんちろ\\banchiro.exe"},
      {"BANCHIRO", "C:\\Tools\\ばんちろ\\BANCHIRO.exe"},
      {"my tool.exe", "C:\\Tools\\ばんちろ\\my tool.exe"},
      {"tool.v2", "C:\\Tools\\ばんちろ\\tool.v2"},
      {"D:\\Other\\X.EXE", "D:\\Other\\X.EXE"},
      {"d:/other/x", "d:/other/x.exe"},
      {"C:\\dir.v2\\tool",
       "C:\\dir.v2\\tool.exe"},  // the extension is the file's, not the folder's
      {"\\\\server\\share\\x.exe", "\\\\server\\share\\x.exe"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgramPath(c.program, kFolder), c.path) << c.program;
  }
}

TEST(RelayProgramPathTest, NothingForNamesRelativeToAnotherFolderOrImpossible) {
  for (const char* refused : {
           "",
           ".",
           "..",
           "sub\\A.EXE",
           "sub/A.EXE",
           "..\\A.EXE",
           ".\\A.EXE",
           "\\A.EXE",
           "/A.EXE",
           "C:A.EXE",
           "C:",
           "C:\\dir\\",
           "A?.EXE",
           "A*.EXE",
           "A<B.EXE",
           "A>B.EXE",
           "A|B.EXE",
           "A\x01.EXE",
           "C:\\x\\a.exe:s",
           "CON:",
           "\\\\",
           "\\\\\\x.exe",
           "\\\\?\\C:\\x.exe",
       }) {
    EXPECT_FALSE(ProgramPath(refused, kFolder)) << "[" << refused << "]";
  }
}

TEST(RelayProgramPathTest, FolderSeparatorsAndTheDriveRoot) {
  EXPECT_EQ(ProgramPath("A.EXE", "C:\\"), "C:\\A.EXE");
  EXPECT_EQ(ProgramPath("A.EXE", "C:\\Tools\\"), "C:\\Tools\\A.EXE");
  EXPECT_EQ(ProgramPath("A.EXE", "\\\\server\\share\\relay"), "\\\\server\\share\\relay\\A.EXE");
  // Without its own folder the relay runs no bare name at all.
  EXPECT_FALSE(ProgramPath("A.EXE", ""));
}

struct PlanCase {
  const char* command;
  const char* folder;
  const char* application;
  const char* command_line;
  const char* working_folder;
};

TEST(RelayPlanLaunchTest, QuotedFullPathArgumentsAndTheRelaysFolder) {
  const PlanCase cases[] = {
      {"BANCHIRO.EXE G", "C:\\Tools\\B", "C:\\Tools\\B\\BANCHIRO.EXE",
       "\"C:\\Tools\\B\\BANCHIRO.EXE\" G", "C:\\Tools\\B"},
      {"\"BANCHIRO.EXE\"", "C:\\", "C:\\BANCHIRO.EXE", "\"C:\\BANCHIRO.EXE\"", "C:\\"},
      {"BANCHIRO.EXE M", "C:", "C:\\BANCHIRO.EXE", "\"C:\\BANCHIRO.EXE\" M", "C:\\"},
      {"  BANCHIRO.EXE   K ", "D:\\Program Files\\ばんちろ\\",
       "D:\\Program Files\\ばんちろ\\BANCHIRO.EXE",
       "\"D:\\Program Files\\ばんちろ\\BANCHIRO.EXE\" K ", "D:\\Program Files\\ばんちろ"},
      {"D:\\X\\tool.exe /a \"b c\"", "C:\\Tools\\B", "D:\\X\\tool.exe",
       "\"D:\\X\\tool.exe\" /a \"b c\"", "C:\\Tools\\B"},
  };
  for (const auto& c : cases) {
    const auto plan = PlanLaunch(c.command, c.folder);
    ASSERT_TRUE(plan) << c.command;
    EXPECT_EQ(plan->application, c.application) << c.command;
    EXPECT_EQ(plan->command_line, c.command_line) << c.command;
    EXPECT_EQ(plan->folder, c.working_folder) << c.command;
  }
}

TEST(RelayPlanLaunchTest, NothingToRunForEmptyOddOrRelativeCommands) {
  for (const char* refused : {"", "   ", "\"BANCHIRO.EXE G", "\"\" G", "sub\\BANCHIRO.EXE G",
                              "..\\BANCHIRO.EXE G", "BANCHIRO?.EXE"}) {
    EXPECT_FALSE(PlanLaunch(refused, kFolder)) << "[" << refused << "]";
  }
}

TEST(RelayPlanLaunchTest, TheStartedProgramReadsBackItsOwnPathAndArguments) {
  // Whatever the child's own parser makes of its command line must be the
  // program that was started and the arguments that were written.
  for (const char* command : {"BANCHIRO.EXE G", "\"BANCHIRO.EXE\" M", "tool /x y",
                              "\"a b.exe\"  -q", "D:\\Other Folder\\x.exe 1 2"}) {
    const auto plan = PlanLaunch(command, "C:\\Program Files\\ばんちろ");
    ASSERT_TRUE(plan) << command;
    const auto child = SplitCommand(plan->command_line);
    ASSERT_TRUE(child) << command;
    EXPECT_EQ(child->program, plan->application) << command;
    EXPECT_EQ(child->arguments, SplitCommand(command)->arguments) << command;
  }
}

}  // namespace
}  // namespace banchiro::relay
