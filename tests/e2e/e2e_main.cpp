// Runner of the end-to-end tests.
#include <cstdio>

#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

// Keeps a screenshot of the desktop at a test's first failure, while its
// windows are still up, in <runner folder>\e2e-failures; ends the relays a
// test left, whose hot keys would be taken for every later test.
class Listener : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { shot_ = false; }
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!result.failed() || shot_ || !info) return;
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
      c = c == '/' ? '_' : c;
    const std::wstring folder = banchiro::e2e::RunnerFolder() + L"\\e2e-failures";
    CreateDirectoryW(folder.c_str(), nullptr);
    shot_ = banchiro::e2e::SaveScreenshot(folder + L"\\" + std::wstring(name.begin(), name.end()) +
                                          L".bmp");
    if (shot_) std::printf("screenshot of the failure: e2e-failures\\%s.bmp\n", name.c_str());
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
