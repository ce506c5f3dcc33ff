#pragma once

#include <windows.h>

#include <map>

#include "platform/processes.h"
#include "platform/win32/unique_handle.h"

namespace banchiro::win32 {

// Keeps the handle of every process it starts: while the handle is open the
// identifier cannot be reused, so ending "our" process can never hit another.
// Every process it starts runs in one job that the system ends when this
// program's last handle to it closes, however the program ends; where the
// system refuses that job, the process runs without it, and the developer's
// log says why.
class Win32Processes : public Processes {
 public:
  ProcessId Start(const std::string& program, const std::string& command_line,
                  const std::string& folder, int show_state) override;
  ProcessId WindowOwner(WindowHandle window) override;
  bool OwnerRunsProgram(WindowHandle window, const std::string& program) override;
  bool IsRunning(ProcessId process) override;
  void Terminate(ProcessId process) override;

 private:
  // The job, made at the first start; the error when it cannot be had.
  HANDLE Job();

  std::map<ProcessId, UniqueKernelHandle> started_;
  UniqueKernelHandle job_;
  DWORD job_error_ = 0;
};

class Win32Clock : public Clock {
 public:
  std::int64_t NowMs() override;
  void SleepMs(int milliseconds) override;
  void RunWhenIdle(std::function<void()> task) override;
};

}  // namespace banchiro::win32
