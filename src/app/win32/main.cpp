// The process entry of BANCHIRO.EXE.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <optional>

#include "app/resident.h"
#include "app/startup.h"
#include "app/win32/menu_windows.h"
#include "app/win32/splash_window.h"
#include "common/dev_log.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_log.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_session.h"
#include "settings/setting_values.h"
#include "ui/main/win32/main_window.h"
#include "ui/palette/win32/palette_window.h"
#include "ui/settings/win32/settings_dialog.h"

// The relays start minimised, whatever their window does with that.
static_assert(banchiro::kRelayShowState == SW_SHOWMINIMIZED);

namespace {

// COM for the thread while it lives.
struct ComApartment {
  ComApartment()
      : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)),
        initialised(SUCCEEDED(result)) {
    if (!initialised) {
      banchiro::devlog::Failure("CoInitializeEx", {}, static_cast<unsigned long>(result));
    }
  }
  ~ComApartment() {
    if (initialised) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  const HRESULT result;
  const bool initialised;
};

// A window may go while a message sent to it is handled (the end of the
// session, a move loop); a thread message wakes the loop to notice.
void WakeMessageLoop() {
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const banchiro::win32::Win32LogSink log(std::string(banchiro::kApplicationName));
  banchiro::win32::Win32Platform platform(banchiro::kApplicationName,
                                          banchiro::kRelayApplicationName);
  // Before anything else, so that of two starts at once exactly one stays.
  platform.process.ClaimInstance();
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

  // COM once for the user-interface thread, apartment-threaded, as the
  // shell's handlers behind an opened link and its automation object want
  // it; like the common controls, never loaded by a one-shot start.
  const ComApartment com;
  // Only the resident program shows common controls; a one-shot start never
  // loads them.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  banchiro::win32::Win32Session session;
  banchiro::ui::PaletteWindow palette(platform.platform, settings, instance);
  std::optional<banchiro::ui::MainWindow> main_window;
  // Made at its first opening; it needs the main window, which it adjusts.
  std::optional<banchiro::ui::SettingsDialog> settings_dialog;
  std::optional<banchiro::app::HelpMenuWindows> help_windows;

  banchiro::ExitTargets targets;
  targets.main_position = [&]() -> std::optional<banchiro::TwipsPoint> {
    if (!main_window || !main_window->loaded()) return std::nullopt;
    return main_window->Position();
  };
  targets.unload_version_dialog = [&help_windows] {
    if (help_windows) help_windows->UnloadVersionDialog();
  };
  targets.unload_settings_dialog = [&settings_dialog] {
    if (settings_dialog) settings_dialog->Unload();
  };
  targets.unload_palette = [&palette] { palette.Unload(); };
  targets.unload_main_window = [&main_window] {
    if (main_window) main_window->Close();
  };
  banchiro::Resident resident(platform.platform, settings, targets);
  // The windows' view of the system: the same services, with message boxes
  // that stay away once the end has begun.
  banchiro::ResidentMessageBoxes message_boxes(platform.message_boxes, resident);
  banchiro::Platform& base = platform.platform;
  banchiro::Platform run{base.store,         base.screen,      message_boxes, base.process,
                         base.system,        base.windows,     base.shell,    base.processes,
                         base.clock,         base.relay_store, base.verbs,    base.monitors,
                         base.volatile_store};
  help_windows.emplace(run, settings, instance);

  // Every window that a request shows goes through the resident, which
  // refuses once the end has begun.
  banchiro::MainWindowRoutines routines;
  routines.show_settings_dialog = [&] {
    resident.Show([&] {
      if (!settings_dialog) {
        // Saving the function-key tab rebuilds the palette and restarts
        // the relays, so that the new keys work at once.
        banchiro::SettingsDialogHooks hooks;
        hooks.restart_relays = [&resident] { resident.RestartRelays(); };
        hooks.rebuild_palette = [&](bool shown) {
          palette.Unload();
          if (shown) resident.Show([&] { palette.Show(); });
        };
        settings_dialog.emplace(run, settings, *main_window, instance, hooks);
      }
      settings_dialog->Open(main_window->hwnd());
    });
  };
  routines.show_help = [&](int index) {
    resident.Show([&] { help_windows->ShowHelp(main_window->hwnd(), index); });
  };
  routines.show_version_dialog = [&] {
    resident.Show([&] { help_windows->ShowVersionDialog(main_window->hwnd()); });
  };
  main_window.emplace(run, session, settings, resident, routines, instance);

  palette.set_on_session_end([&resident] { resident.End(); });
  palette.set_on_destroyed(WakeMessageLoop);
  main_window->set_on_destroyed(WakeMessageLoop);

  if (start.palette_at_startup) palette.Show();
  // Loaded in any case: the tray icon and the hot keys serve a hidden window.
  main_window->Load();
  if (!banchiro::StartsHidden(settings)) main_window->Show();

  // The program lives while any of its windows is loaded, and not past its
  // end, whatever a window left running might still show.
  MSG message;
  while (!resident.ended() && (main_window->loaded() || palette.loaded()) &&
         GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (settings_dialog && settings_dialog->TranslateDialogKey(message)) continue;
    if (main_window->TranslateShortcut(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (!resident.ended()) resident.End();
  return 0;
}
