// The test desktop itself: the layouts in later tests are only exact when
// the screen and its work area are what the harness promises.
#include <windows.h>

#include <gtest/gtest.h>

TEST(TestDesktop, ScreenAndWorkArea) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.left, 0);
  EXPECT_EQ(work.top, 0);
  EXPECT_EQ(work.right, 1024);
  EXPECT_EQ(work.bottom, 738);
}
