#include "platform/win32/volatile_registry.h"

#include <windows.h>

#include "platform/win32/registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"

namespace banchiro::win32 {
namespace {

// Nothing kept here is long: a value beyond this is damaged, not read.
constexpr DWORD kMaxValueBytes = 64u << 10;

}  // namespace

std::string VolatileRegistryStore::Read(std::string_view section, std::string_view key) {
  const auto text = ReadRegistryString(HKEY_CURRENT_USER,
                                       RegistrySettingsStore::SectionPath(application_, section),
                                       Widen(key), kMaxValueBytes);
  return text ? Narrow(*text) : std::string();
}

bool VolatileRegistryStore::Write(std::string_view section, std::string_view key,
                                  std::string_view text) {
  // The application's key is made first, as a lasting one: a key made on
  // the way to a volatile one would be volatile too, and the settings in it
  // gone at sign-out.
  std::wstring application_path = RegistrySettingsStore::SectionPath(application_, "");
  application_path.pop_back();  // the separator before the empty section
  UniqueHKey application;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, application_path.c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_CREATE_SUB_KEY, nullptr, application.put(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  UniqueHKey volatile_key;
  if (RegCreateKeyExW(application.get(), Widen(section).c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                      KEY_SET_VALUE, nullptr, volatile_key.put(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return WriteRegistryString(volatile_key.get(), Widen(key), Widen(text));
}

void VolatileRegistryStore::Remove(std::string_view section, std::string_view key) {
  UniqueHKey open;
  if (RegOpenKeyExW(HKEY_CURRENT_USER,
                    RegistrySettingsStore::SectionPath(application_, section).c_str(), 0,
                    KEY_SET_VALUE, open.put()) == ERROR_SUCCESS) {
    RegDeleteValueW(open.get(), Widen(key).c_str());
  }
}

}  // namespace banchiro::win32
