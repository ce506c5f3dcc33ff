#pragma once

#include <string>

#include "platform/volatile_store.h"

namespace banchiro::win32 {

// Sections as volatile subkeys of the application's settings key
// (HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>):
// the registry drops them when the user signs out. Every call opens and
// closes its key, so that every instance sees what another wrote.
class VolatileRegistryStore : public VolatileStore {
 public:
  explicit VolatileRegistryStore(std::string application) : application_(std::move(application)) {}
  std::string Read(std::string_view section, std::string_view key) override;
  bool Write(std::string_view section, std::string_view key, std::string_view text) override;
  void Remove(std::string_view section, std::string_view key) override;

 private:
  std::string application_;
};

}  // namespace banchiro::win32
