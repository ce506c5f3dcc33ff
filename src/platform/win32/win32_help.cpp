#include "platform/win32/win32_help.h"

#include "common/dev_log.h"
#include "platform/win32/hwnd.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_windows.h"

namespace banchiro::win32 {

HelpTarget ShowHelp(HWND owner, SystemInfo& system, const std::string& help_file,
                    HelpRequest request, int context) {
  const std::wstring file = Widen(help_file);
  const bool exists = GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
  const HelpTarget target = ChooseHelp(help_file, request, context, system.WinHelpViewer(), exists);
  if (!target.winhelp) {
    // No message of the program's own: the shell reports a missing page or
    // browser itself, over the window that asked.
    OpenWithShell(target.file, FromHwnd(owner), false);
    return target;
  }
  BOOL shown = FALSE;
  switch (request) {
    case HelpRequest::kContents:
      shown = WinHelpW(owner, file.c_str(), HELP_CONTENTS, 0);
      break;
    case HelpRequest::kKeywordSearch:
      // The keyword search with no keyword given; the engine reads the data
      // as a string, so it gets an empty one rather than a null pointer.
      shown = WinHelpW(owner, file.c_str(), HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(L""));
      break;
    case HelpRequest::kContext:
      shown = WinHelpW(owner, file.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(context));
      break;
  }
  if (!shown) devlog::Failure("WinHelpW", help_file, GetLastError());
  return target;
}

}  // namespace banchiro::win32
