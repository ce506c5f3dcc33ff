#include "platform/win32/registry.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace banchiro::win32 {

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& subkey,
                                               const std::wstring& name, DWORD max_bytes) {
  UniqueHKey key;
  if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return ReadRegistryString(key.get(), name, max_bytes);
}

std::optional<std::wstring> ReadRegistryString(HKEY key, const std::wstring& name,
                                               DWORD max_bytes) {
  // Another process may change the value between asking its size and
  // reading it; a few tries settle that, and a value that never settles is
  // treated as absent rather than read half.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_SZ || bytes > max_bytes) {
      return std::nullopt;
    }
    // One spare wchar_t for an odd byte count and one that always stays 0, so
    // the text is terminated even when the stored data is not.
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 2, L'\0');
    DWORD size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    const LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    const std::size_t stored = std::min<std::size_t>(size / sizeof(wchar_t), buffer.size() - 1);
    return std::wstring(buffer.data(), wcsnlen(buffer.data(), stored));
  }
  return std::nullopt;
}

bool WriteRegistryString(HKEY root, const std::wstring& subkey, const std::wstring& name,
                         const std::wstring& text) {
  UniqueHKey key;
  if (RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return WriteRegistryString(key.get(), name, text);
}

bool WriteRegistryString(HKEY key, const std::wstring& name, const std::wstring& text) {
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        bytes) == ERROR_SUCCESS;
}

}  // namespace banchiro::win32
