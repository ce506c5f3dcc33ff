#pragma once

#include <map>
#include <string>
#include <utility>

namespace banchiro::testing {

// (section, key) -> text, UTF-8.
using StoreMap = std::map<std::pair<std::string, std::string>, std::string>;

// Everything a first start on an empty store writes, listed by hand (not
// from the key table) so that a wrong table entry shows up as a difference.
StoreMap FirstStartDefaults();

}  // namespace banchiro::testing
