// The memory yardstick: a bare Win32 process that shows one window with a
// caption and waits, as small as a resident windowed program can be. Built
// like BANCHIRO.EXE (static, stripped in a release).
//
//   bare_window.exe [DLL ...]   loads these DLLs first, to weigh what each
//                               costs by itself
#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  for (wchar_t* at = arguments; *at;) {
    wchar_t* end = at + std::wcscspn(at, L" ");
    const bool last = *end == L'\0';
    *end = L'\0';
    if (end != at) LoadLibraryW(at);
    at = last ? end : end + 1;
  }
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = BareProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"BanchiroBenchBareWindow";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, window_class.lpszClassName, L"bare window", WS_OVERLAPPEDWINDOW,
                                40, 40, 320, 120, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
