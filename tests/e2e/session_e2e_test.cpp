// The Windows session service under Wine. (Ending the session is left out:
// it would end the test desktop. Emptying the recycle bin is too: on a fresh
// prefix Wine's shell cannot recycle a file without asking, from inside the
// call, to delete it for good.)
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/win32_session.h"

namespace banchiro::e2e {
namespace {

TEST(SessionE2eTest, ShutdownPrivilegeCanBeEnabled) {
  win32::Win32Session session;
  EXPECT_TRUE(session.EnableShutdownPrivilege());
}

}  // namespace
}  // namespace banchiro::e2e
