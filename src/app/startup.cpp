#include "app/startup.h"

#include "app/command_line.h"
#include "settings/load_settings.h"
#include "settings/setting_values.h"
#include "settings/palette_layout.h"

namespace banchiro {

bool ShouldShowSplash(const Settings& settings) {
  return SplashOn(settings) && settings.OptStat != "1";
}

StartupResult RunStartup(std::string_view command_line, Platform& platform, Settings& settings,
                         const std::function<void()>& show_splash) {
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
  if (show_splash && ShouldShowSplash(settings)) show_splash();
  if (!loader.RunSteps(kLastStepBeforeSplash + 1, kLastStepBeforeCommandLine)) {
    result.ended = true;
    return result;
  }
  // A hot key or an Explorer verb starts a second instance with a letter:
  // it arranges the windows that are there right now, before anything else.
  RunCommandLine(command_line, platform, settings);
  loader.RunSteps(kLastStepBeforeCommandLine + 1, kLastLoadStep);
  result.palette_at_startup = loader.palette_at_startup();
  result.another_instance = platform.process.AnotherInstanceRuns();
  return result;
}

}  // namespace banchiro
