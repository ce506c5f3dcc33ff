#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace banchiro::win32 {

// Reads a value as text, whole: a string as it is stored (an expandable one
// unexpanded, a multi-string up to its first NUL), a DWORD or a QWORD as its
// decimal number, which is what a user or an old tool that typed a setting
// meant. Anything else (no key, no value, binary or another type, a number
// of the wrong size, a value that keeps changing while it is read, or one
// beyond max_bytes) is "no value". The text ends at the first NUL, whether
// or not the stored data carries a terminator.
std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& subkey,
                                               const std::wstring& name,
                                               DWORD max_bytes = 64u << 20);

// The same, from a key already open (for querying values).
std::optional<std::wstring> ReadRegistryString(HKEY key, const std::wstring& name,
                                               DWORD max_bytes = 64u << 20);
// Stores text as REG_SZ in a key already open (for setting values). False
// on failure, with the system's error for GetLastError.
bool WriteRegistryString(HKEY key, const std::wstring& name, const std::wstring& text);

// Creates the key if needed and stores text as REG_SZ. False on failure, as
// above.
bool WriteRegistryString(HKEY root, const std::wstring& subkey, const std::wstring& name,
                         const std::wstring& text);

}  // namespace banchiro::win32
