#include "e2e_support.h"

#include <share.h>
#include <tlhelp32.h>

#include <cstdio>

#include "platform/win32/registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"

namespace banchiro::e2e {
namespace {

std::wstring SectionKey(std::string_view section) {
  return win32::RegistrySettingsStore::SectionPath("BANCHIRO", section);
}

}  // namespace

std::wstring RunnerFolder() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  const std::wstring full(path);
  return full.substr(0, full.find_last_of(L"\\/"));
}

std::wstring ProgramPath(const wchar_t* file_name) {
  return RunnerFolder() + L"\\" + file_name;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms, DWORD poll_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(poll_ms);
  }
}

bool Settle(HWND window, DWORD timeout_ms) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &ignored) != 0;
}

Child::Child(const std::wstring& command_line) {
  std::wstring line = command_line;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      RunnerFolder().c_str(), &startup, &info_)) {
    info_ = {};
  }
}

Child::~Child() {
  if (!started()) return;
  for (HWND window : TopLevelWindows(pid())) {
    if (ClassName(window) == L"BANCHIRO") PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (!WaitForExit(5000)) TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 5000);
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Child::WaitForExit(DWORD timeout_ms, DWORD* code) {
  if (!started() || WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(info_.hProcess, code);
  return true;
}

ResidentStandIn::ResidentStandIn()
    : mutex_(CreateMutexW(nullptr, FALSE, win32::kInstanceMutexName)) {}

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

void SetRaw(std::string_view section, std::string_view name, DWORD type, const void* data,
            DWORD bytes) {
  RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), win32::Widen(name).c_str(), type,
                  data, bytes);
}

int ValueCount(std::string_view section) {
  win32::UniqueHKey key;
  DWORD values = 0;
  RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, KEY_QUERY_VALUE, key.put());
  RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                   nullptr, nullptr, nullptr, nullptr);
  return static_cast<int>(values);
}

std::vector<HWND> TopLevelWindows(DWORD pid) {
  std::pair<DWORD, std::vector<HWND>> request{pid, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* r = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (r->first == 0 || owner == r->first) r->second.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&request));
  return request.second;
}

HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms,
                   bool visible) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopLevelWindows(pid)) {
          if ((!visible || IsWindowVisible(w)) && ClassName(w) == class_name &&
              (!title || WindowText(w) == title)) {
            return (found = w) != nullptr;
          }
        }
        return false;
      },
      timeout_ms);
  return found;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::vector<HWND> ShownTitledWindows() {
  std::vector<HWND> shown;
  for (HWND w : TopLevelWindows(0)) {
    if (IsWindowVisible(w) && !IsIconic(w) && GetWindowTextLengthW(w) > 0) shown.push_back(w);
  }
  return shown;
}

std::wstring MessageText(HWND box) {
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  return text;
}

void PressCtrlF(int key) {
  const BYTE vk = static_cast<BYTE>(VK_F1 + key - 1);
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(vk, 0, 0, 0);
  keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

void Mouse(POINT at, DWORD flags) {
  SetCursorPos(at.x, at.y);
  mouse_event(flags, 0, 0, 0, 0);
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

bool WaitForTestTaskbar(DWORD timeout_ms) {
  ULONGLONG steady_since = 0;
  return WaitUntil(
      [&] {
        RECT r{};
        HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
        const bool right = !tray || (GetWindowRect(tray, &r) && r.top == kTaskbarTop &&
                                     r.bottom - r.top == kTaskbarHeight);
        steady_since = !right ? 0 : steady_since ? steady_since : GetTickCount64();
        return right && GetTickCount64() - steady_since >= 300;
      },
      timeout_ms, 10);
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  FILE* in = _wfsopen(path.c_str(), L"rb", _SH_DENYNO);
  if (!in) return std::nullopt;
  std::string text;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
    text.append(buffer, got);
  std::fclose(in);
  return text;
}

std::wstring FreshTempPath(const std::wstring& stem) {
  static LONG counter = 0;
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(InterlockedIncrement(&counter));
}

bool SaveScreenshot(const std::wstring& path, HWND window) {
  if (window)
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  if (window) Settle(window);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files are
  header.biPlanes = 1;
  header.biBitCount = 24;
  std::vector<BYTE> bits(((width * 3 + 3) & ~3) * height);
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  const bool got = GetDIBits(memory, bitmap, 0, height, bits.data(),
                             reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
  FILE* out = got ? _wfopen(path.c_str(), L"wb") : nullptr;
  const bool written = out && fwrite(&file, sizeof file, 1, out) == 1 &&
                       fwrite(&header, sizeof header, 1, out) == 1 &&
                       fwrite(bits.data(), bits.size(), 1, out) == 1;
  return out && fclose(out) == 0 && written;
}

}  // namespace banchiro::e2e
