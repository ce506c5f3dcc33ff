#include "settings/appearance.h"

namespace banchiro {

void ReadAppearanceScheme(Settings& settings, SystemInfo& system) {
  if (auto scheme = system.AppearanceScheme()) settings.appearance_scheme = std::move(*scheme);
}

}  // namespace banchiro
