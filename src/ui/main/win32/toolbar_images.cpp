#include "ui/main/win32/toolbar_images.h"

#include <cstdint>
#include <vector>

#include "ui/main/toolbar_icons.h"
#include "ui/main/toolbar_model.h"

namespace banchiro::ui {
namespace {

// 0xAARRGGBB as a 32-bit DIB holds it. Drawn pixels are opaque, so their
// colour needs no premultiplying; clear ones are all zero, which is also
// what the mask-based drawing of older common controls wants beneath a set
// mask bit.
std::uint32_t PixelFor(IconInk ink) {
  const auto colour = IconInkColour(ink);
  if (!colour) return 0;
  return 0xFF000000u | static_cast<std::uint32_t>(colour->red) << 16 |
         static_cast<std::uint32_t>(colour->green) << 8 | colour->blue;
}

// Adds one picture, each of its pixels a scale-by-scale square.
bool AddPicture(HIMAGELIST list, const IconPicture& picture, int scale) {
  const int side = kToolbarIconSize * scale;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = side;
  info.bmiHeader.biHeight = -side;  // top-down, like the picture
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win32::UniqueBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour || !bits) return false;

  // Monochrome rows are padded to whole 16-bit words; a set bit is clear.
  const int mask_stride = (side + 15) / 16 * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(mask_stride) * side, 0);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const IconInk ink = picture.at(x / scale, y / scale);
      pixels[static_cast<std::size_t>(y) * side + x] = PixelFor(ink);
      if (!IconInkColour(ink)) {
        mask[static_cast<std::size_t>(y) * mask_stride + x / 8] |=
            static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
  }
  GdiFlush();  // the section is written directly; let GDI see it complete

  win32::UniqueBitmap mask_bitmap(CreateBitmap(side, side, 1, 1, mask.data()));
  if (!mask_bitmap) return false;
  // The list copies both bitmaps; ours go when this returns.
  return ImageList_Add(list, colour.get(), mask_bitmap.get()) >= 0;
}

}  // namespace

UniqueImageList CreateToolbarImageList(int scale) {
  if (scale < 1 || scale > kMaxToolbarIconScale) return {};
  const int side = kToolbarIconSize * scale;
  UniqueImageList list(
      ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, kToolbarButtonCount, 0));
  if (!list) return {};
  for (int button = 1; button <= kToolbarButtonCount; ++button) {
    const auto picture = ToolbarIconPicture(button);
    if (!picture || !AddPicture(list.get(), *picture, scale)) return {};
  }
  if (ImageList_GetImageCount(list.get()) != kToolbarButtonCount) return {};
  return list;
}

}  // namespace banchiro::ui
