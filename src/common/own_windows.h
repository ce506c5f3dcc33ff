#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace banchiro {

// The window classes of this program's own top-level windows. Their views
// register them under these names, and no arrangement takes a window of one
// of them, whichever instance arranges: a one-shot start leaves the resident
// program's dialogs alone as the resident does.
enum class OwnWindow { kMain, kTrayOwner, kPalette, kSettings, kVersion, kSplash };

inline constexpr std::array<std::string_view, 6> kOwnWindowClasses = {
    "BANCHIRO",           // the bar
    "BANCHIRO.Picture1",  // the hidden owner of the notification icon
    "FUNCKEYS",           // the function-key palette
    "SETTEI",             // the settings dialog
    "INFO_VER",           // the version dialog
    "INITDISP",           // the splash
};

constexpr bool IsOwnWindowClass(std::string_view class_name) {
  for (const std::string_view own : kOwnWindowClasses) {
    if (own == class_name) return true;
  }
  return false;
}

// A class name as the wide string that Win32 calls take (the names are
// ASCII), made from the table at compile time.
template <OwnWindow kWhich>
inline constexpr auto kOwnWindowClassW = [] {
  constexpr std::string_view name = kOwnWindowClasses[static_cast<std::size_t>(kWhich)];
  std::array<wchar_t, name.size() + 1> wide{};
  for (std::size_t i = 0; i < name.size(); ++i)
    wide[i] = static_cast<wchar_t>(name[i]);
  return wide;
}();

}  // namespace banchiro
