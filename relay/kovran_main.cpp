// KOVRAN.EXE: serves one hot key, Ctrl + F1..F12, for BANCHIRO. Its one
// window is never shown: it owns the key, receives WM_HOTKEY, and is what
// the starter sees (and ends the relay by) through the published handle.
#include <windows.h>

#include <exception>
#include <string>

#include "common/dev_log.h"
#include "common/function_keys.h"
#include "platform/win32/hwnd.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_log.h"
#include "platform/win32/win32_platform.h"
#include "relay/hot_key.h"
#include "relay/launch.h"
#include "relay/relay.h"
#include "settings/settings.h"
#include "settings/settings_writer.h"

namespace banchiro::relay {
namespace {

const std::wstring kWindowClass = win32::Widen(kRelayWindowClassName);

constexpr int kHotKeyId = 1;

LRESULT CALLBACK RelayWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_HOTKEY:
      if (wparam == kHotKeyId) {
        if (auto* relay = reinterpret_cast<Relay*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
          // Nothing may unwind through the system's call into this procedure;
          // a press that fails is lost, the next one is served.
          try {
            relay->OnHotKey();
          } catch (const std::exception& e) {
            devlog::Failure("hot key", e.what());
          }
        }
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_ENDSESSION:
      // The session ends and the process with it: leave while that is still
      // an orderly exit.
      if (wparam) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      UnregisterHotKey(window, kHotKeyId);
      PostQuitMessage(kExitServed);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

// The relay's window, destroyed with this object unless a message ended it
// first. A popup tool window that nobody shows: no taskbar button and nothing
// on the screen, whatever show state the starter asked for. (A message-only
// window would not get WM_ENDSESSION.)
class RelayWindow {
 public:
  RelayWindow(HINSTANCE instance, int key) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = RelayWindowProc;
    window_class.hInstance = instance;
    window_class.lpszClassName = kWindowClass.c_str();
    if (!RegisterClassExW(&window_class)) {
      devlog::Failure("RegisterClassExW", kRelayWindowClassName, GetLastError());
      return;
    }
    const std::wstring title = L"KOVRAN F" + std::to_wstring(key);
    window_ =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kWindowClass.c_str(), title.c_str(),
                        WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window_) devlog::Failure("CreateWindowExW", kRelayWindowClassName, GetLastError());
  }
  RelayWindow(const RelayWindow&) = delete;
  RelayWindow& operator=(const RelayWindow&) = delete;
  ~RelayWindow() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
  }

  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

class Win32RelayHost : public RelayHost {
 public:
  explicit Win32RelayHost(HWND window) : window_(window) {}

  std::string ReadHandedOverCommand() override {
    return ReadStored(banchiro_settings_, Key::SnedDispMethod);
  }

  std::string ProgramFolder() override { return process_.ProgramFolder(); }

  bool RegisterHotKey(int key) override {
    if (::RegisterHotKey(window_, kHotKeyId, MOD_CONTROL | MOD_NOREPEAT,
                         VK_F1 + (key - kFirstFunctionKey))) {
      return true;
    }
    devlog::Failure("RegisterHotKey", HotKeyCaption(key), GetLastError());
    return false;
  }

  void PublishWindow(bool key_taken) override {
    SettingsWriter(relay_settings_)
        .Set(key_taken ? Key::hTaken : Key::hWindow, HandleText(win32::FromHwnd(window_)));
  }

  void ShowExclamation(const std::string& text, const std::string& title) override {
    // Owned by the relay's window, the box is not the process's first
    // unowned window, so a minimised start does not open it as an icon.
    MessageBoxW(window_, win32::Widen(text).c_str(), win32::Widen(title).c_str(),
                MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
  }

  bool Launch(const LaunchPlan& plan) override {
    std::wstring command_line = win32::Widen(plan.command_line);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // The application name is the full path, so CreateProcess searches
    // nowhere (not this process's current folder, not PATH).
    if (!CreateProcessW(win32::Widen(plan.application).c_str(), command_line.data(), nullptr,
                        nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        win32::Widen(plan.folder).c_str(), &startup, &started)) {
      devlog::Failure("CreateProcessW", plan.command_line, GetLastError());
      return false;
    }
    win32::UniqueKernelHandle process(started.hProcess);
    win32::UniqueKernelHandle thread(started.hThread);
    // The hot key made this relay the process that may take the foreground;
    // hand that on, so the arranger can activate the window it puts on top.
    AllowSetForegroundWindow(started.dwProcessId);
    ResumeThread(thread.get());
    return true;
  }

 private:
  HWND window_;
  win32::RegistrySettingsStore banchiro_settings_{std::string(kApplicationName)};
  win32::RegistrySettingsStore relay_settings_{std::string(kRelayApplicationName)};
  win32::Win32Process process_;
};

int RunRelay(HINSTANCE instance) {
  const auto own = SplitCommand(win32::Narrow(GetCommandLineW()));
  const auto key = own ? FunctionKeyForArgument(own->arguments) : std::nullopt;
  if (!key) {
    devlog::Failure("relay start", "no F1..F12 in " + (own ? own->arguments : std::string()));
    return kExitBadArgument;
  }

  RelayWindow window(instance, *key);
  if (!window.get()) return kExitFailed;
  Win32RelayHost host(window.get());
  Relay relay(host, *key);
  SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&relay));
  if (relay.Start() == StartResult::kKeyTaken) return kExitKeyTaken;

  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) break;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : kExitFailed;
}

}  // namespace
}  // namespace banchiro::relay

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const banchiro::win32::Win32LogSink log(std::string(banchiro::kRelayApplicationName));
  try {
    return banchiro::relay::RunRelay(instance);
  } catch (const std::exception& e) {
    banchiro::devlog::Failure("relay", e.what());
    return banchiro::relay::kExitFailed;
  }
}
