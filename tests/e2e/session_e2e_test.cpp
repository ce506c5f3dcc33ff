// The commands that act on Windows itself, from the resident program's file
// menu and its timer, under Wine. The recycle bin is the Unix trash under
// XDG_DATA_HOME, which the test desktop points at a folder of its own.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "main_window_driver.h"
#include "platform/win32/win32_session.h"

namespace banchiro::e2e {
namespace {

TEST(SessionE2eTest, ShutdownPrivilegeCanBeEnabled) {
  win32::Win32Session session;
  EXPECT_TRUE(session.EnableShutdownPrivilege());
}

// One file in the trash of the test desktop, as the shell's recycle bin
// shows it; empty when XDG_DATA_HOME is not set.
class TrashedFile {
 public:
  TrashedFile() {
    wchar_t unix_home[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"XDG_DATA_HOME", unix_home, MAX_PATH)) return;
    // Wine maps the Unix root to drive Z:.
    std::wstring trash = std::wstring(L"Z:") + unix_home + L"/Trash";
    for (wchar_t& c : trash) {
      if (c == L'/') c = L'\\';
    }
    CreateDirectoryW(trash.c_str(), nullptr);
    CreateDirectoryW((trash + L"\\files").c_str(), nullptr);
    CreateDirectoryW((trash + L"\\info").c_str(), nullptr);
    file_ = trash + L"\\files\\banchiro-e2e.txt";
    info_ = trash + L"\\info\\banchiro-e2e.txt.trashinfo";
    Write(file_, "thrown away by the e2e test\n");
    Write(info_, "[Trash Info]\nPath=/tmp/banchiro-e2e.txt\nDeletionDate=2026-01-01T00:00:00\n");
  }
  ~TrashedFile() {
    DeleteFileW(file_.c_str());
    DeleteFileW(info_.c_str());
  }
  bool ready() const { return !file_.empty() && Exists(); }
  bool Exists() const { return GetFileAttributesW(file_.c_str()) != INVALID_FILE_ATTRIBUTES; }

 private:
  static void Write(const std::wstring& path, const char* text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(file);
  }
  std::wstring file_, info_;
};

class SystemCommandsE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteAllSettings();
    SkipSplash();
  }
  void TearDown() override { DeleteAllSettings(); }
};

// The shell asks by itself; the program adds no question of its own.
TEST_F(SystemCommandsE2eTest, EmptyRecycleBinLeavesTheQuestionToTheShell) {
  TrashedFile trashed;
  ASSERT_TRUE(trashed.ready()) << "no trash folder (XDG_DATA_HOME)";
  Child child(Banchiro());
  HWND main = WaitForMainWindow(child, kStartLimitMs);
  ASSERT_NE(main, nullptr);
  for (const int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer == IDYES ? "yes" : "no");
    PostMessageW(main, WM_COMMAND, MenuCommand("mnuFileDustEmpty"), 0);
    HWND box = WaitForWindow(child.pid(), L"#32770", nullptr, kUiLimitMs);
    ASSERT_NE(box, nullptr) << "the shell asked nothing";
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, kUiLimitMs));
    HWND button = GetDlgItem(box, answer);
    ASSERT_NE(button, nullptr) << "not the shell's yes/no question";
    PostMessageW(button, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kUiLimitMs));
    ASSERT_TRUE(Settle(main, kUiLimitMs));
    if (answer == IDNO) {
      EXPECT_TRUE(trashed.Exists()) << "emptied without consent";
    } else {
      EXPECT_TRUE(WaitUntil([&] { return !trashed.Exists(); }, kUiLimitMs)) << "still there";
    }
  }
  EXPECT_TRUE(child.Running());
  ASSERT_TRUE(CloseProgram(child, kStartLimitMs));
}

}  // namespace
}  // namespace banchiro::e2e
