#include "platform/win32/registry.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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
  // Nearly every value fits the first buffer, so a read is one call, not a
  // call for the size and one for the data: a start reads some 300 values.
  // A longer one is read again at the size it reported; another process may
  // change it in between, so a few tries settle that, and a value that never
  // settles is treated as absent rather than read half.
  std::vector<wchar_t> buffer(130, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    // One spare wchar_t always stays 0, so the text is terminated even when
    // the stored data is not.
    DWORD size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    const LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(buffer.data()), &size);
    if ((status != ERROR_SUCCESS && status != ERROR_MORE_DATA) || size > max_bytes) {
      return std::nullopt;
    }
    if (type == REG_DWORD || type == REG_QWORD) {
      // A number fits the first buffer; one of the wrong size is no number.
      std::uint64_t number = 0;
      if (status != ERROR_SUCCESS || size != (type == REG_DWORD ? 4u : 8u)) return std::nullopt;
      std::memcpy(&number, buffer.data(), size);
      return std::to_wstring(number);
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return std::nullopt;
    if (status == ERROR_MORE_DATA) {
      // One more for an odd byte count, one for the terminator.
      buffer.assign(size / sizeof(wchar_t) + 2, L'\0');
      continue;
    }
    const std::size_t stored = std::min<std::size_t>(size / sizeof(wchar_t), buffer.size() - 1);
    return std::wstring(buffer.data(), wcsnlen(buffer.data(), stored));
  }
  return std::nullopt;
}

bool WriteRegistryString(HKEY root, const std::wstring& subkey, const std::wstring& name,
                         const std::wstring& text) {
  UniqueHKey key;
  const LSTATUS status = RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                         nullptr, key.put(), nullptr);
  if (status != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(status));
    return false;
  }
  return WriteRegistryString(key.get(), name, text);
}

bool WriteRegistryString(HKEY key, const std::wstring& name, const std::wstring& text) {
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  const LSTATUS status = RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(text.c_str()), bytes);
  SetLastError(static_cast<DWORD>(status));
  return status == ERROR_SUCCESS;
}

}  // namespace banchiro::win32
