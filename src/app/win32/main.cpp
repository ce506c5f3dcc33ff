// The process entry of BANCHIRO.EXE.
#include <windows.h>

#include "app/startup.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  banchiro::win32::Win32Platform platform;
  banchiro::Settings settings;
  // The newer-settings guard ends the process inside. A one-shot start ends
  // once its arrangement is done when a resident instance runs; the resident
  // windows are not there yet, so every start ends here for now.
  banchiro::RunStartup(banchiro::win32::Narrow(GetCommandLineW()), platform.platform, settings);
  return 0;
}
