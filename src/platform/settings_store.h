#pragma once

#include <string>
#include <string_view>

namespace banchiro {

// The per-user store of named text values, grouped into sections. An absent
// value and an empty one are the same thing: Read gives "" for both.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string Read(std::string_view section, std::string_view key) = 0;
  // False when the value could not be written (the old one stays).
  virtual bool Write(std::string_view section, std::string_view key, std::string_view text) = 0;
};

}  // namespace banchiro
