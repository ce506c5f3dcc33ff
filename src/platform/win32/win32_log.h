#pragma once

#include <string>
#include <string_view>

#include "common/dev_log.h"

namespace banchiro::win32 {

// The environment variable that names the developer's log file.
inline constexpr wchar_t kLogFileVariable[] = L"BANCHIRO_LOG";

// The developer's log of one process, installed while this object lives.
// Every line goes to the debugger (OutputDebugString, seen in DebugView or a
// debugger's output); when BANCHIRO_LOG names a file at the start, it is
// also appended there as UTF-8, stamped with the local time, the program
// and its process, so that the program and its relays can share one file.
class Win32LogSink : public devlog::Sink {
 public:
  explicit Win32LogSink(std::string program);
  ~Win32LogSink() override;
  Win32LogSink(const Win32LogSink&) = delete;
  Win32LogSink& operator=(const Win32LogSink&) = delete;

  void Line(std::string_view text) override;

 private:
  std::string program_;
  std::wstring file_;
  devlog::Sink* previous_;
};

}  // namespace banchiro::win32
