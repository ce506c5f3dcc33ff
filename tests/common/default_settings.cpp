#include "default_settings.h"

#include "settings/load_settings.h"

namespace banchiro::testing {

bool LoadDefaultSettings(FakePlatform& fake, Settings& settings) {
  const ScreenMetrics screen{1024, 768, 15, 15};
  return LoadSettings(settings, fake.store, fake.message_boxes, fake.process,
                      {screen, PaletteOuterSize(screen.width_twips())});
}

}  // namespace banchiro::testing
