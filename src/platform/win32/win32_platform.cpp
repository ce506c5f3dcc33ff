#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "common/dev_log.h"
#include "platform/win32/gdi_guards.h"
#include "platform/win32/registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"

namespace banchiro::win32 {

RegistrySettingsStore::RegistrySettingsStore(std::string application)
    : application_(std::move(application)) {}

std::wstring RegistrySettingsStore::SectionPath(std::string_view application,
                                                std::string_view section) {
  return L"Software\\VB and VBA Program Settings\\" + Widen(application) + L"\\" + Widen(section);
}

HKEY RegistrySettingsStore::Section(std::string_view section, bool create) {
  if (const auto found = sections_.find(section); found != sections_.end()) {
    return found->second.get();
  }
  const std::wstring path = SectionPath(application_, section);
  UniqueHKey key;
  const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, key.put());
  if (status != ERROR_SUCCESS && create) {
    status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, access, nullptr,
                             key.put(), nullptr);
  }
  if (status != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(status));
    return nullptr;
  }
  return sections_.emplace(std::string(section), std::move(key)).first->second.get();
}

std::string RegistrySettingsStore::Read(std::string_view section, std::string_view key) {
  const HKEY open = Section(section, false);
  const auto text = open ? ReadRegistryString(open, Widen(key)) : std::nullopt;
  return text ? Narrow(*text) : std::string();
}

bool RegistrySettingsStore::Write(std::string_view section, std::string_view key,
                                  std::string_view text) {
  // A failed write leaves the old value; the record still has the new one,
  // which is what the user sees for the rest of the run. A key deleted
  // meanwhile (by the user, in the registry editor) is made anew.
  DWORD error = 0;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const HKEY open = Section(section, true);
    if (open && WriteRegistryString(open, Widen(key), Widen(text))) return true;
    error = GetLastError();
    if (const auto stale = sections_.find(section); stale != sections_.end()) {
      sections_.erase(stale);
    }
  }
  devlog::Failure("settings write",
                  application_ + "\\" + std::string(section) + "\\" + std::string(key), error);
  return false;
}

std::vector<Rect> Win32Screen::WorkAreas() {
  std::vector<Rect> areas;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM context) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info)) {
          const RECT& r = info.rcWork;
          reinterpret_cast<std::vector<Rect>*>(context)->push_back(
              Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&areas));
  return areas;
}

ScreenMetrics Win32Screen::Metrics() {
  ScreenMetrics metrics;
  metrics.width_px = GetSystemMetrics(SM_CXSCREEN);
  metrics.height_px = GetSystemMetrics(SM_CYSCREEN);
  if (const WindowDc screen{nullptr}) {
    const int dpi_x = GetDeviceCaps(screen.get(), LOGPIXELSX);
    const int dpi_y = GetDeviceCaps(screen.get(), LOGPIXELSY);
    if (dpi_x > 0) metrics.twips_per_pixel_x = 1440.0 / dpi_x;
    if (dpi_y > 0) metrics.twips_per_pixel_y = 1440.0 / dpi_y;
  }
  return metrics;
}

MessageAnswer Win32MessageBoxes::Show(const std::string& text, const std::string& title,
                                      MessageButtons buttons, MessageIcon icon,
                                      DefaultButton default_button) {
  UINT flags = MB_SETFOREGROUND;
  if (default_button == DefaultButton::kSecond) flags |= MB_DEFBUTTON2;
  switch (buttons) {
    case MessageButtons::kOk:
      flags |= MB_OK;
      break;
    case MessageButtons::kOkCancel:
      flags |= MB_OKCANCEL;
      break;
    case MessageButtons::kYesNo:
      flags |= MB_YESNO;
      break;
  }
  switch (icon) {
    case MessageIcon::kNone:
      break;
    case MessageIcon::kStop:
      flags |= MB_ICONSTOP;
      break;
    case MessageIcon::kQuestion:
      flags |= MB_ICONQUESTION;
      break;
    case MessageIcon::kExclamation:
      flags |= MB_ICONEXCLAMATION;
      break;
    case MessageIcon::kInformation:
      flags |= MB_ICONINFORMATION;
      break;
  }
  switch (MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(), flags)) {
    case IDOK:
      return MessageAnswer::kOk;
    case IDYES:
      return MessageAnswer::kYes;
    case IDNO:
      return MessageAnswer::kNo;
    default:
      return MessageAnswer::kCancel;
  }
}

std::string Win32Process::ProgramFolder() {
  // Paths beyond MAX_PATH exist; grow until the whole name fits.
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) break;
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  std::wstring full(path.data());
  const auto slash = full.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::string() : Narrow(full.substr(0, slash));
}

void Win32Process::SetCurrentFolder(const std::string& folder) {
  std::wstring path = Widen(folder);
  // "C:" alone would mean "the current folder on C:", not the root.
  if (path.size() == 2 && path[1] == L':') path += L'\\';
  SetCurrentDirectoryW(path.c_str());
}

void Win32Process::ClaimInstance() {
  if (claimed_) return;
  claimed_ = true;
  // One mutex per session: the first instance owns it for its whole life.
  // A later one lets go of it at once, so that it never outlives the first.
  // An instance run as administrator makes the mutex with a security that
  // does not let an ordinary one open it: access denied means it exists.
  instance_mutex_.reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
  const DWORD error = GetLastError();
  another_ = instance_mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
  if (another_) instance_mutex_.reset();
}

bool Win32Process::AnotherInstanceRuns() {
  ClaimInstance();
  return another_;
}

void Win32Process::End(int exit_code) {
  ExitProcess(static_cast<UINT>(exit_code));
}

namespace {

// The verb's key below a classes root: HKEY_CLASSES_ROOT itself, or the
// user's own classes under HKEY_CURRENT_USER.
std::wstring VerbKey(VerbPlace place, const std::string& name) {
  return std::wstring(place == VerbPlace::kFolders ? L"Folder\\shell\\" : L"*\\shell\\") +
         Widen(name);
}

constexpr wchar_t kUserClasses[] = L"Software\\Classes\\";

void WriteVerbValue(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  if (!WriteRegistryString(HKEY_CURRENT_USER, key, name, text)) {
    devlog::Failure("verb write", Narrow(key), GetLastError());
  }
}

// A verb that is not there is gone already; anything else stays, and is
// worth a line.
void DeleteVerbKey(HKEY root, const std::wstring& key) {
  const LSTATUS status = RegDeleteKeyW(root, key.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    devlog::Failure("verb removal", Narrow(key), static_cast<unsigned long>(status));
  }
}

}  // namespace

void Win32ShellVerbs::Set(VerbPlace place, const std::string& name, const std::string& command) {
  const std::wstring key = kUserClasses + VerbKey(place, name);
  WriteVerbValue(key + L"\\COMMAND", L"", Widen(command));
  // Explorer otherwise starts the command once per selected item: ten files
  // would make ten arrangements, or ten close requests to every window.
  WriteVerbValue(key, L"MultiSelectModel", L"Single");
}

void Win32ShellVerbs::Remove(VerbPlace place, const std::string& name) {
  // A key with a subkey cannot be deleted: the command goes first. Then the
  // same through HKEY_CLASSES_ROOT, which now reaches a verb that an earlier
  // version wrote to the machine's classes; without administrator rights
  // Windows refuses that, and the verb stays, as it would have anyway.
  const std::wstring key = VerbKey(place, name);
  DeleteVerbKey(HKEY_CURRENT_USER, kUserClasses + key + L"\\COMMAND");
  DeleteVerbKey(HKEY_CURRENT_USER, kUserClasses + key);
  DeleteVerbKey(HKEY_CLASSES_ROOT, key + L"\\COMMAND");
  DeleteVerbKey(HKEY_CLASSES_ROOT, key);
}

std::optional<std::string> Win32SystemInfo::AppearanceScheme() {
  UniqueHKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Appearance", 0, KEY_QUERY_VALUE,
                    key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  // A fixed, zero-filled buffer: a name that does not fit makes the query
  // fail, and the caller keeps the name it had.
  wchar_t buffer[256] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key.get(), L"Current", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                       &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  return Narrow(std::wstring(buffer, wcsnlen(buffer, size / sizeof(wchar_t))));
}

VersionRecord Win32SystemInfo::Version() {
  // The version the program is told, as the manifest and the compatibility
  // settings decide, which is what the layouts have always branched on.
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return {};
#pragma GCC diagnostic pop
  return VersionRecord{static_cast<int>(info.dwPlatformId), static_cast<int>(info.dwMajorVersion),
                       static_cast<int>(info.dwMinorVersion)};
}

bool Win32SystemInfo::WinHelpViewer() {
  // Wine's ntdll alone exports wine_get_version; Wine ships a working
  // winhlp32. Windows has one up to XP (major version 5). The version asked
  // of ntdll is the real one: GetVersionEx answers what a compatibility mode
  // pretends, and "Windows XP" there would send a Windows 10 user to a
  // viewer that is not installed.
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll && GetProcAddress(ntdll, "wine_get_version")) return true;
  using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  const auto real_version = ntdll ? reinterpret_cast<GetVersionFunction>(reinterpret_cast<void*>(
                                        GetProcAddress(ntdll, "RtlGetVersion")))
                                  : nullptr;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  VersionRecord version = Version();
  if (real_version && real_version(&info) == 0) {
    version =
        VersionRecord{static_cast<int>(info.dwPlatformId), static_cast<int>(info.dwMajorVersion),
                      static_cast<int>(info.dwMinorVersion)};
  }
  return version.platform_id == VER_PLATFORM_WIN32_NT ? version.major < 6 : version.major > 0;
}

}  // namespace banchiro::win32
