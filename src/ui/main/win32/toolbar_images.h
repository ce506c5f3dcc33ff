#pragma once

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/unique_handle.h"

namespace banchiro::ui {

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle None() { return nullptr; }
  static void Close(Handle h) { ImageList_Destroy(h); }
};
// A toolbar does not destroy the image list it is given with TB_SETIMAGELIST:
// its owner keeps it until the toolbar is gone or has another list.
using UniqueImageList = win32::UniqueHandle<ImageListTraits>;

// The toolbar's 17 images, image i for button i + 1, each 16 * scale pixels
// square (scale 1..kMaxToolbarIconScale, see ToolbarIconScale), 32-bit with
// a mask. None for a scale out of range or when the system refuses a
// bitmap: a list with an image missing would put every later one on the
// wrong button.
UniqueImageList CreateToolbarImageList(int scale);

}  // namespace banchiro::ui
