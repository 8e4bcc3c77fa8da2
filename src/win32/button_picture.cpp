#include "win32/button_picture.h"

namespace quillmark::win32 {

UniqueImageList LoadMaskedPicture(HMODULE module, int bitmap_id) {
  UniqueBitmap picture(static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(bitmap_id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!picture) return {};
  BITMAP size = {};
  if (!GetObjectA(picture.get(), sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0)
    return {};
  COLORREF transparent = CLR_NONE;
  {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return {};
    SelectedObject picture_in_dc(dc.get(), picture.get());
    transparent = GetPixel(dc.get(), 0, size.bmHeight - 1);
  }
  UniqueImageList list(ImageList_Create(size.bmWidth, size.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0));
  if (!list || ImageList_AddMasked(list.get(), picture.get(), transparent) < 0) return {};
  return list;
}

}  // namespace quillmark::win32
