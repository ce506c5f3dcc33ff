#include "platform/system_info.h"

namespace banchiro {

WindowsName GetWindowsName(const VersionRecord& version) {
  if (version.platform_id == 1) {
    if (version.minor == 0) return WindowsName::k95;
    if (version.minor == 10) return WindowsName::k98;
    return WindowsName::kMe;
  }
  if (version.platform_id == 2) {
    if (version.major == 4) return WindowsName::kNT;
    if (version.minor == 0) return WindowsName::k2000;
    return WindowsName::kXP;
  }
  return WindowsName::kNone;
}

}  // namespace banchiro
