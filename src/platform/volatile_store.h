#pragma once

#include <string>
#include <string_view>

namespace banchiro {

// Named texts beside the settings that last no longer than the user's
// sign-in, shared by every instance of the program while it lasts. Read
// gives "" for a value that is absent.
class VolatileStore {
 public:
  virtual ~VolatileStore() = default;
  virtual std::string Read(std::string_view section, std::string_view key) = 0;
  // False when the value could not be written.
  virtual bool Write(std::string_view section, std::string_view key, std::string_view text) = 0;
  virtual void Remove(std::string_view section, std::string_view key) = 0;
};

}  // namespace banchiro
