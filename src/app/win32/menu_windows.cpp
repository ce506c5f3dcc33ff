#include "app/win32/menu_windows.h"

#include "app/win32/build_info.h"
#include "platform/win32/win32_help.h"
#include "ui/version/win32/version_dialog.h"

namespace banchiro::app {

void ShowHelp(ui::MainWindow& owner, Platform& platform, const Settings& settings, int index) {
  if (index != 0 && index != 1) return;
  win32::ShowHelp(owner.hwnd(), platform.system, settings.help_file_path,
                  index == 0 ? HelpRequest::kKeywordSearch : HelpRequest::kContents);
}

void ShowVersionDialog(ui::MainWindow& owner, Platform& platform, HINSTANCE instance) {
  ui::VersionDialog dialog(platform, {kContactMail, kContactHomePage}, kProductVersion, instance);
  dialog.ShowModal(owner.hwnd());
}

}  // namespace banchiro::app
