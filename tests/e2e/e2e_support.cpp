#include "e2e_support.h"

#include <tlhelp32.h>

#include "common/window_handle.h"
#include "platform/win32/hwnd.h"
#include "platform/win32/registry.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings.h"

namespace banchiro::e2e {
namespace {

std::wstring SectionKey(std::string_view section) {
  return win32::RegistrySettingsStore::SectionPath(kApplicationName, section);
}

}  // namespace

Child::Child(const std::wstring& command_line) {
  std::wstring line = command_line;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      RunnerFolder().c_str(), &startup, &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  pid_ = info.dwProcessId;
}

Child::~Child() {
  if (!started()) return;
  for (HWND window : TopLevelWindows(pid_)) {
    if (ClassName(window) == L"BANCHIRO") PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (!WaitForExit(5000)) TerminateProcess(process_.get(), 99);
  WaitForSingleObject(process_.get(), 5000);
}

bool Child::WaitForExit(DWORD timeout_ms, DWORD* code) {
  if (!started() || WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(process_.get(), code);
  return true;
}

ResidentStandIn::ResidentStandIn()
    : mutex(CreateMutexW(nullptr, FALSE, win32::kInstanceMutexName)) {}

void DeleteAllSettings() {
  const std::wstring any_section = SectionKey("");
  RegDeleteTreeW(HKEY_CURRENT_USER, any_section.substr(0, any_section.size() - 1).c_str());
}

void SetString(std::string_view section, std::string_view name, std::string_view text) {
  win32::WriteRegistryString(HKEY_CURRENT_USER, SectionKey(section), win32::Widen(name),
                             win32::Widen(text));
}

std::optional<std::string> GetString(std::string_view section, std::string_view name) {
  const auto text =
      win32::ReadRegistryString(HKEY_CURRENT_USER, SectionKey(section), win32::Widen(name));
  return text ? std::optional<std::string>(win32::Narrow(*text)) : std::nullopt;
}

int Relays(bool end) {
  int count = 0;
  win32::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (lstrcmpiW(entry.szExeFile, L"KOVRAN.EXE") != 0) continue;
    ++count;
    win32::UniqueKernelHandle relay(
        end ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID) : nullptr);
    if (relay && TerminateProcess(relay.get(), 98)) WaitForSingleObject(relay.get(), 5000);
  }
  return count;
}

bool OnlyRelayServes(int key) {
  const std::wstring title = L"KOVRAN F" + std::to_wstring(key);
  HWND window = FindWindowW(win32::Widen(kRelayWindowClassName).c_str(), title.c_str());
  const auto published = win32::ReadRegistryString(
      HKEY_CURRENT_USER,
      win32::RegistrySettingsStore::SectionPath(kRelayApplicationName, kSectionHWnd),
      win32::Widen(kPublishedWindowKey));
  return window && published && *published == win32::Widen(HandleText(win32::FromHwnd(window))) &&
         Relays() == 1;
}

}  // namespace banchiro::e2e
