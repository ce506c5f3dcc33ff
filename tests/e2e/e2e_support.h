#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace banchiro::e2e {

// Folder of the test runner; the programs under test lie beside it.
std::wstring RunnerFolder();
std::wstring ProgramPath(const wchar_t* file_name);

// The program's settings in the registry of the test prefix.
std::wstring SectionPath(const std::wstring& section);
void DeleteAllSettings();
void SetString(const std::wstring& section, const std::wstring& name, const std::wstring& text);
void SetRaw(const std::wstring& section, const std::wstring& name, DWORD type, const void* data,
            DWORD bytes);

struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> data;
};
std::optional<RawValue> GetRaw(const std::wstring& section, const std::wstring& name);
// The REG_SZ text (up to the first NUL) or nothing for any other state.
std::optional<std::wstring> GetString(const std::wstring& section, const std::wstring& name);
// Every value of a section as text; values of other types appear as "<type N>".
std::map<std::wstring, std::wstring> SectionValues(const std::wstring& section);

// A started program, terminated when the test lets go of it still running.
class Child {
 public:
  explicit Child(const std::wstring& command_line);
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child();

  bool started() const { return info_.hProcess != nullptr; }
  DWORD pid() const { return info_.dwProcessId; }
  // True when it ended within the time limit; its exit code goes to *code.
  bool WaitForExit(DWORD timeout_ms, DWORD* code = nullptr);
  bool Running();

 private:
  PROCESS_INFORMATION info_{};
};

// Polls until a top-level window of the process with this class and title
// exists (visible or not), or the time runs out.
HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms);
std::vector<HWND> VisibleTopLevelWindows(DWORD pid);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// The whole virtual desktop as a 24-bit BMP file.
bool SaveScreenshot(const std::wstring& path);

}  // namespace banchiro::e2e
