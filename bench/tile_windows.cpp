// The yardstick of the arrangement benchmark: user32's own tiling of the
// desktop's top-level windows, one call, in a program as small as it gets.
// Exit code: the number of windows TileWindows says it arranged.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return TileWindows(nullptr, MDITILE_HORIZONTAL, nullptr, 0, nullptr);
}
