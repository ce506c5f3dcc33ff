// The process entry of BANCHIRO.EXE.
#include <windows.h>

#include <commctrl.h>

#include "app/exit_sequence.h"
#include "app/relays.h"
#include "app/startup.h"
#include "app/win32/splash_window.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings.h"
#include "ui/palette/palette_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  banchiro::win32::Win32Platform platform;
  banchiro::Settings settings;
  // The newer-settings guard ends the process inside.
  const banchiro::StartupResult start = banchiro::RunStartup(
      banchiro::win32::Narrow(GetCommandLineW()), platform.platform, settings, [&] {
        banchiro::ui::SplashWindow splash(instance, platform.screen.Metrics());
        splash.ShowModal();
      });
  // A one-shot start (hot key, Explorer verb) has done its arrangement; the
  // resident instance goes on serving the user.
  if (start.ended || start.another_instance) return 0;

  banchiro::ui::PaletteWindow palette(platform.platform, settings, instance);
  if (start.palette_at_startup) palette.Show();

  banchiro::RelayTable relays;
  banchiro::ExitTargets targets;
  targets.unload_palette = [&palette] { palette.Unload(); };
  banchiro::ExitSequence exit_sequence(platform.platform, settings, relays, targets);
  palette.set_on_session_end([&exit_sequence] { exit_sequence.Run(); });
  // The window may go while a message sent to it is handled (the end of the
  // session, a move loop), which a wait for posted messages would not see.
  palette.set_on_destroyed([] { PostQuitMessage(0); });

  // The program lives while any of its windows is loaded.
  MSG message;
  while (palette.loaded() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (start.palette_at_startup && !exit_sequence.ran()) exit_sequence.Run();
  return 0;
}
