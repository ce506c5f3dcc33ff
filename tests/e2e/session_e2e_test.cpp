// The Windows session service against Wine's own shell. (Ending the session
// is left out: it would end the test desktop.)
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "e2e_support.h"
#include "platform/win32/win32_session.h"

namespace banchiro::e2e {
namespace {

// Deletes a new file to the recycle bin, as Explorer's Delete does.
bool RecycleNewFile() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  wchar_t path[MAX_PATH + 1] = {};
  GetTempFileNameW(folder, L"rb", 0, path);
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = path;  // double-terminated: the buffer is zero-filled
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationW(&op) == 0;
}

std::int64_t RecycledItems() {
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(SHQueryRecycleBinW(nullptr, &info))) return -1;
  return info.i64NumItems;
}

TEST(SessionE2eTest, EmptyingTheRecycleBinAsksFirstAndEmptiesOnYes) {
  ASSERT_TRUE(RecycleNewFile());
  ASSERT_GT(RecycledItems(), 0);
  win32::Win32Session session;
  for (const int answer : {IDNO, IDYES}) {
    std::thread empty([&session] { session.EmptyRecycleBin(0); });
    HWND box = WaitForWindow(GetCurrentProcessId(), L"#32770", nullptr, 10000);
    EXPECT_NE(box, nullptr) << "the shell's own confirmation";
    if (box) PostMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
    empty.join();
    if (answer == IDNO) {
      EXPECT_GT(RecycledItems(), 0) << "No must keep the items";
    }
  }
  EXPECT_EQ(RecycledItems(), 0);
}

TEST(SessionE2eTest, ShutdownPrivilegeCanBeEnabled) {
  win32::Win32Session session;
  EXPECT_TRUE(session.EnableShutdownPrivilege());
}

}  // namespace
}  // namespace banchiro::e2e
