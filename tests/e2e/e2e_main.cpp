// Runner of the end-to-end tests.
#include <algorithm>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

// Keeps a screenshot of the desktop at a test's first failure, while its
// windows are still up (e2e-shots\SUITE.NAME-failed.png); ends the relays a
// test left, whose hot keys would be taken for every later test.
class Listener : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { shot_ = false; }
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!result.failed() || shot_ || !info) return;
    std::string name = std::string(info->test_suite_name()) + "." + info->name() + "-failed";
    std::replace(name.begin(), name.end(), '/', '_');
    shot_ = banchiro::e2e::Screenshot(std::wstring(name.begin(), name.end()));
  }
  void OnTestEnd(const ::testing::TestInfo& info) override {
    if (const int ended = banchiro::e2e::Relays(true)) {
      std::printf("%s.%s left %d KOVRAN.EXE running; ended them\n", info.test_suite_name(),
                  info.name(), ended);
    }
  }
  bool shot_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new Listener);
  return RUN_ALL_TESTS();
}
