#include "app/startup.h"

#include "settings/load_settings.h"
#include "ui/palette/palette_layout.h"

namespace banchiro {

StartupResult RunStartup(Platform& platform, Settings& settings) {
  StartupResult result;
  // Hot-key relays and Explorer verbs name the program without a folder, so
  // everything it starts or opens is found beside it.
  const std::string folder = platform.process.ProgramFolder();
  platform.process.SetCurrentFolder(folder);
  settings.help_file_path = folder + "\\" + std::string(kHelpFileName);

  const ScreenMetrics screen = platform.screen.Metrics();
  const DefaultsContext context{screen, PaletteOuterSize(screen.width_twips())};
  SettingsLoader loader(settings, platform.store, platform.message_boxes, platform.process,
                        context);
  if (!loader.RunSteps(kFirstLoadStep, kLastStepBeforeSplash)) {
    result.ended = true;
    return result;
  }
  if (!loader.RunSteps(kLastStepBeforeSplash + 1, kLastStepBeforeCommandLine)) {
    result.ended = true;
    return result;
  }
  loader.RunSteps(kLastStepBeforeCommandLine + 1, kLastLoadStep);
  result.palette_at_startup = loader.palette_at_startup();
  return result;
}

}  // namespace banchiro
