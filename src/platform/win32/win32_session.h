#pragma once

#include "platform/session.h"

namespace banchiro::win32 {

// The recycle bin, recent documents, the end of the session and the clock
// through shell32, advapi32 and user32.
class Win32Session : public SystemSession {
 public:
  void EmptyRecycleBin(WindowHandle owner) override;
  void ClearRecentDocuments() override;
  bool EnableShutdownPrivilege() override;
  bool EndSession(SessionEnd how) override;
  TimeOfDay LocalTime() override;
};

}  // namespace banchiro::win32
