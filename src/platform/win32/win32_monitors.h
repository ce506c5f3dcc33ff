#pragma once

#include "platform/monitors.h"

namespace banchiro::win32 {

// The display monitors as the system reports them, in the coordinates of
// the calling thread's DPI awareness.
class Win32Monitors : public Monitors {
 public:
  std::vector<Monitor> All() override;
  Monitor At(const ScreenPoint& point) override;
  ScreenPoint Pointer() override;
};

}  // namespace banchiro::win32
