// The process entry of BANCHIRO.EXE.
#include <windows.h>

#include "app/startup.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  banchiro::win32::Win32Platform platform;
  banchiro::Settings settings;
  // The newer-settings guard ends the process inside; coming back means the
  // start-up went through.
  banchiro::RunStartup(platform.platform, settings);
  return 0;
}
