#include "common/window_handle.h"

#include <cstdlib>

namespace banchiro {

std::string HandleText(WindowHandle handle) {
  return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(handle)));
}

WindowHandle HandleFromText(const std::string& text) {
  return static_cast<WindowHandle>(std::strtoll(text.c_str(), nullptr, 10));
}

}  // namespace banchiro
