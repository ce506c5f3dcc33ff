#include "platform/win32/win32_log.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"

namespace banchiro::win32 {

Win32LogSink::Win32LogSink(std::string program) : program_(std::move(program)) {
  std::vector<wchar_t> value(MAX_PATH);
  DWORD length = GetEnvironmentVariableW(kLogFileVariable, value.data(), MAX_PATH);
  if (length >= value.size()) {
    value.resize(length);
    length = GetEnvironmentVariableW(kLogFileVariable, value.data(), length);
  }
  if (length > 0 && length < value.size()) file_.assign(value.data(), length);
  previous_ = devlog::Install(this);
}

Win32LogSink::~Win32LogSink() {
  devlog::Install(previous_);
}

void Win32LogSink::Line(std::string_view text) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  const std::string line = std::string(stamp) + program_ + "[" +
                           std::to_string(GetCurrentProcessId()) + "] " + std::string(text) +
                           "\r\n";
  OutputDebugStringW(Widen(line).c_str());
  if (file_.empty()) return;
  // Opened for each line, for appending only, and shared with everyone: the
  // relays write to the same file, and each line is one write at its end.
  const HANDLE opened = CreateFileW(file_.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return;
  const UniqueKernelHandle file(opened);
  DWORD written = 0;
  WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace banchiro::win32
