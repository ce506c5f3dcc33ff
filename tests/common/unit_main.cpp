// The native test programs' main: every fake store takes only writes the
// key table knows, in the section and settings the table gives them.
#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "settings/key_table.h"

int main(int argc, char** argv) {
  using banchiro::FakeSettingsStore;
  FakeSettingsStore::key_check() = [](FakeSettingsStore::Owner owner, std::string_view section,
                                      std::string_view key) {
    const auto application = owner == FakeSettingsStore::kRelays ? banchiro::kRelayApplicationName
                                                                 : banchiro::kApplicationName;
    if (banchiro::IsTableKey(application, section, key)) return true;
    ADD_FAILURE() << "a write outside the key table: " << application << " " << section << "\\"
                  << key;
    return false;
  };
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
