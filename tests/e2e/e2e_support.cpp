#include "e2e_support.h"

#include "platform/win32/win32_platform.h"
#include "test_desktop.h"

#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>

namespace banchiro::e2e {

ResidentStandIn::ResidentStandIn()
    : mutex_(CreateMutexW(nullptr, FALSE, win32::kInstanceMutexName)) {}

ResidentStandIn::~ResidentStandIn() {
  if (mutex_) CloseHandle(mutex_);
}
namespace {

const wchar_t kRoot[] = L"Software\\VB and VBA Program Settings\\BANCHIRO";

}  // namespace

std::wstring RunnerFolder() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  std::wstring full(path);
  return full.substr(0, full.find_last_of(L"\\/"));
}

std::wstring ProgramPath(const wchar_t* file_name) {
  return RunnerFolder() + L"\\" + file_name;
}

std::wstring SectionPath(const std::wstring& section) {
  return std::wstring(kRoot) + L"\\" + section;
}

void DeleteAllSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
}

void SkipSplash() {
  SetString(L"Config", L"OptStat", L"1");
}

void SetRaw(const std::wstring& section, const std::wstring& name, DWORD type, const void* data,
            DWORD bytes) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes);
  RegCloseKey(key);
}

void SetString(const std::wstring& section, const std::wstring& name, const std::wstring& text) {
  SetRaw(section, name, REG_SZ, text.c_str(),
         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::optional<RawValue> GetRaw(const std::wstring& section, const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  RawValue value;
  DWORD bytes = 0;
  LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &bytes);
  if (status == ERROR_SUCCESS) {
    value.data.resize(bytes);
    status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &bytes);
    value.data.resize(bytes);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

std::optional<std::wstring> GetString(const std::wstring& section, const std::wstring& name) {
  const auto raw = GetRaw(section, name);
  if (!raw || raw->type != REG_SZ) return std::nullopt;
  std::wstring text(reinterpret_cast<const wchar_t*>(raw->data.data()),
                    raw->data.size() / sizeof(wchar_t));
  return text.substr(0, wcsnlen(text.c_str(), text.size()));
}

std::map<std::wstring, std::wstring> SectionValues(const std::wstring& section) {
  std::map<std::wstring, std::wstring> values;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return values;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[512];
    DWORD name_length = 512;
    if (RegEnumValueW(key, i, name, &name_length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    const std::wstring value_name(name, name_length);
    const auto raw = GetRaw(section, value_name);
    if (!raw) continue;
    values[value_name] = raw->type == REG_SZ ? *GetString(section, value_name)
                                             : L"<type " + std::to_wstring(raw->type) + L">";
  }
  RegCloseKey(key);
  return values;
}

Child::Child(const std::wstring& command_line) {
  std::wstring mutable_line = command_line;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, mutable_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      RunnerFolder().c_str(), &startup, &info_)) {
    info_ = {};
  }
}

Child::~Child() {
  if (!started()) return;
  // A resident BANCHIRO is asked to end in order first, so that its relays
  // go with it instead of holding their hot keys for the next test.
  if (Running()) {
    if (HWND main = WaitForWindow(pid(), kMainClass, kMainCaption, 0)) {
      PostMessageW(main, WM_CLOSE, 0, 0);
      WaitForExit(5000);
    }
  }
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Child::WaitForExit(DWORD timeout_ms, DWORD* code) {
  if (!started() || WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(info_.hProcess, code);
  return true;
}

bool Child::Running() {
  return started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

namespace {

struct FindRequest {
  DWORD pid;
  const wchar_t* class_name;
  const wchar_t* title;
  bool visible_only;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* request = reinterpret_cast<FindRequest*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != request->pid) return TRUE;
  if (request->visible_only && !IsWindowVisible(window)) return TRUE;
  if (request->class_name && ClassName(window) != request->class_name) return TRUE;
  if (request->title && WindowText(window) != request->title) return TRUE;
  request->found.push_back(window);
  return TRUE;
}

}  // namespace

HWND WaitForWindow(DWORD pid, const wchar_t* class_name, const wchar_t* title, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  do {
    FindRequest request{pid, class_name, title, false, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&request));
    if (!request.found.empty()) return request.found.front();
    Sleep(50);
  } while (GetTickCount64() < deadline);
  return nullptr;
}

std::vector<HWND> VisibleTopLevelWindows(DWORD pid) {
  FindRequest request{pid, nullptr, nullptr, true, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&request));
  return request.found;
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

bool SaveScreenshot(const std::wstring& path) {
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool saved = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, GetSystemMetrics(SM_XVIRTUALSCREEN),
           GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY);
    SelectObject(memory, old);
    GdiFlush();
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD image_bytes = stride * height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + image_bytes;
    if (FILE* out = _wfopen(path.c_str(), L"wb")) {
      saved = fwrite(&file, sizeof file, 1, out) == 1 &&
              fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
              fwrite(bits, image_bytes, 1, out) == 1;
      fclose(out);
    }
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

}  // namespace banchiro::e2e

namespace banchiro::e2e {

bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms, DWORD poll_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(poll_ms);
  }
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    text.append(buffer, got);
  CloseHandle(file);
  return text;
}

std::wstring FreshTempPath(const std::wstring& stem) {
  static LONG counter = 0;
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(InterlockedIncrement(&counter));
}

namespace {

BOOL CALLBACK CollectShownTitled(HWND window, LPARAM param) {
  if (IsWindowVisible(window) && !IsIconic(window) && GetWindowTextLengthW(window) > 0) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> ShownTitledWindows() {
  std::vector<HWND> found;
  EnumWindows(CollectShownTitled, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool Settle(HWND window, DWORD timeout_ms) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &ignored) != 0;
}

void SetWineVersion(const std::wstring& exe_name, const std::wstring& version) {
  const std::wstring path = L"Software\\Wine\\AppDefaults\\" + exe_name;
  if (version.empty()) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, path.c_str(), L"Version");
    return;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                 static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

HWND WaitForMainWindow(const Child& child, DWORD timeout_ms, bool shown) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  HWND main = WaitForWindow(child.pid(), kMainClass, kMainCaption, timeout_ms);
  if (!main) return nullptr;
  const auto left = [&] {
    const ULONGLONG now = GetTickCount64();
    return static_cast<DWORD>(now < deadline ? deadline - now : 0);
  };
  if (shown && !WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, left())) return nullptr;
  // The window exists before its load runs; an answer means the thread has
  // got at least as far as serving messages.
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_BLOCK, left(), &ignored)) return nullptr;
  return main;
}

namespace {

std::vector<DWORD> RelayProcesses() {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, L"KOVRAN.EXE") == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

}  // namespace

bool WaitForTestTaskbar(DWORD timeout_ms) {
  // Held for a while, not just seen once: the shell lays the taskbar out a
  // moment after an icon has gone, so a single look may come before that.
  constexpr ULONGLONG kSteadyMs = 300;
  ULONGLONG steady_since = 0;
  return WaitUntil(
      [&] {
        RECT r{};
        HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
        // Without a taskbar there is nothing to wait for.
        const bool right = !tray || (GetWindowRect(tray, &r) && r.top == kTaskbarTop &&
                                     r.bottom - r.top == kTaskbarHeight);
        const ULONGLONG now = GetTickCount64();
        if (!right) {
          steady_since = 0;
          return false;
        }
        if (steady_since == 0) steady_since = now;
        return now - steady_since >= kSteadyMs;
      },
      timeout_ms, 10);
}

namespace {

void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void PressCtrlF(int key) {
  const WORD vk = static_cast<WORD>(VK_F1 + key - 1);
  SendKey(VK_CONTROL, false);
  SendKey(vk, false);
  SendKey(vk, true);
  SendKey(VK_CONTROL, true);
}

int RunningRelays() {
  return static_cast<int>(RelayProcesses().size());
}

int EndStrayRelays() {
  int ended = 0;
  for (DWORD id : RelayProcesses()) {
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
      if (TerminateProcess(process, 98)) ++ended;
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  return ended;
}

bool CloseProgram(Child& child, DWORD timeout_ms) {
  HWND main = WaitForWindow(child.pid(), kMainClass, kMainCaption, timeout_ms);
  if (!main) return false;
  PostMessageW(main, WM_CLOSE, 0, 0);
  return child.WaitForExit(timeout_ms);
}

}  // namespace banchiro::e2e
