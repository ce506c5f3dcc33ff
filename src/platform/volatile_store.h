#pragma once

#include <string_view>

#include "platform/settings_store.h"

namespace banchiro {

// A store beside the settings whose values last no longer than the user's
// sign-in, shared by every instance of the program while they last.
class VolatileStore : public SettingsStore {
 public:
  virtual void Remove(std::string_view section, std::string_view key) = 0;
};

}  // namespace banchiro
