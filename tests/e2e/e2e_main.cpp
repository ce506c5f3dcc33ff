// Runner of the end-to-end tests: keeps a screenshot of the desktop for
// every failed test in <runner folder>\e2e-failures.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

class ScreenshotOnFailure : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo& info) override {
    if (!info.result()->Failed()) return;
    const std::wstring folder = banchiro::e2e::RunnerFolder() + L"\\e2e-failures";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::string name = std::string(info.test_suite_name()) + "." + info.name();
    for (char& c : name) {
      if (c == '/' || c == '\\' || c == ':') c = '_';
    }
    const std::wstring path = folder + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
    if (banchiro::e2e::SaveScreenshot(path)) {
      std::printf("screenshot of the failure: e2e-failures\\%s.bmp\n", name.c_str());
    }
  }
};

// A test that failed with BANCHIRO running may leave its relays, whose hot
// keys would then be taken for every later test.
class EndStrayRelaysAfterEachTest : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo& info) override {
    if (const int ended = banchiro::e2e::EndStrayRelays()) {
      std::printf("%s.%s left %d KOVRAN.EXE running; ended them\n", info.test_suite_name(),
                  info.name(), ended);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
  ::testing::UnitTest::GetInstance()->listeners().Append(new EndStrayRelaysAfterEachTest);
  return RUN_ALL_TESTS();
}
