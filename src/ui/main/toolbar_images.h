#pragma once

#include <windows.h>

#include <commctrl.h>

namespace banchiro::ui {

// The toolbar's 17 images, image i for button i + 1, each 16 * scale pixels
// square (scale 1..kMaxToolbarIconScale, see ToolbarIconScale), 32-bit with
// a mask. Null for a scale out of range or when the system refuses a
// bitmap: a list with an image missing would put every later one on the
// wrong button.
//
// The caller owns the list. A toolbar does not destroy the image list it is
// given with TB_SETIMAGELIST: destroy it with ImageList_Destroy once the
// toolbar is gone or has been given another list.
HIMAGELIST CreateToolbarImageList(int scale);

}  // namespace banchiro::ui
