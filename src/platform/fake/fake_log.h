#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/dev_log.h"

namespace banchiro {

// The developer's log as a list of lines, the process's log while it lives.
class FakeLog : public devlog::Sink {
 public:
  FakeLog() : previous_(devlog::Install(this)) {}
  ~FakeLog() override { devlog::Install(previous_); }
  FakeLog(const FakeLog&) = delete;
  FakeLog& operator=(const FakeLog&) = delete;

  void Line(std::string_view text) override { lines.emplace_back(text); }

  std::vector<std::string> lines;

 private:
  devlog::Sink* previous_;
};

}  // namespace banchiro
