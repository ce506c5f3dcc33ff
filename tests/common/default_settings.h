#pragma once

#include <cstddef>
#include <string>

#include "platform/fake/fake_platform.h"
#include "settings/settings.h"

namespace banchiro::testing {

// The settings record after a first start on a 1024 x 768 screen at 96 DPI,
// loaded through the fake's store (which then holds the defaults too).
// False when the load did not go through.
bool LoadDefaultSettings(FakePlatform& fake, Settings& settings);

// The store's writes from the `from`th on, "key=text" each, blank-separated.
std::string WritesSince(const FakeSettingsStore& store, std::size_t from = 0);

}  // namespace banchiro::testing
