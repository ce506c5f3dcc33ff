#include "default_settings.h"

#include "settings/load_settings.h"

namespace banchiro::testing {

bool LoadDefaultSettings(FakePlatform& fake, Settings& settings) {
  const ScreenMetrics screen{1024, 768, 15, 15};
  return LoadSettings(settings, fake.store, fake.message_boxes, fake.process,
                      {screen, PaletteOuterSize(screen.width_twips())});
}

std::string WritesSince(const FakeSettingsStore& store, std::size_t from) {
  std::string text;
  const auto all = store.writes();
  for (std::size_t i = from; i < all.size(); ++i)
    text += (text.empty() ? "" : " ") + all[i].key + "=" + all[i].text;
  return text;
}

}  // namespace banchiro::testing
