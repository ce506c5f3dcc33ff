#include "app/win32/menu_windows.h"

#include "app/win32/build_info.h"
#include "platform/win32/win32_help.h"

namespace banchiro::app {

HelpMenuWindows::HelpMenuWindows(Platform& platform, const Settings& settings, HINSTANCE instance)
    : platform_(platform),
      settings_(settings),
      version_dialog_(platform, {kContactMail, kContactHomePage}, kProductVersion, instance) {}

void HelpMenuWindows::ShowHelp(HWND owner, int index) {
  if (index != 0 && index != 1) return;
  win32::ShowHelp(owner, platform_.system, settings_.help_file_path,
                  index == 0 ? HelpRequest::kKeywordSearch : HelpRequest::kContents);
}

}  // namespace banchiro::app
