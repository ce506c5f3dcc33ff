#pragma once

#include <optional>
#include <string>

namespace banchiro {

// The platform's version record: platform identifier, major and minor.
struct VersionRecord {
  int platform_id = 0;
  int major = 0;
  int minor = 0;
};

// The Windows a version record names; the cascade's step, the bar's size and
// the shut-down branch on it. Among the NT versions from 5 on only the minor
// number counts: x.0 reads as Windows 2000 (so do Vista and Windows 10/11),
// any other minor as XP (so do 7 and 8.1).
enum class WindowsName { kNone, k95, k98, kMe, kNT, k2000, kXP };
WindowsName GetWindowsName(const VersionRecord& version);

// Read-only facts about the Windows installation the program runs on.
class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // The current appearance scheme's name, or nothing when the value is
  // absent, not a string or does not fit the 256-byte buffer it is read into.
  virtual std::optional<std::string> AppearanceScheme() = 0;
  virtual VersionRecord Version() = 0;
  // Whether a viewer of WinHelp files works here: on Windows before Vista,
  // or under Wine, whose own viewer does.
  virtual bool WinHelpViewer() = 0;
};

}  // namespace banchiro
