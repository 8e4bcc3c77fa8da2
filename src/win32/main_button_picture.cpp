#include "win32/main_button_picture.h"

#include "win32/resources/resource_ids.h"

namespace quillmark::win32 {

int PictureResource(ButtonPicture picture) {
  switch (picture) {
    case ButtonPicture::Apply:
      return IDB_APPLY;
    case ButtonPicture::Close:
      return IDB_CLOSE;
    case ButtonPicture::Refresh:
      return IDB_REFRESH;
    case ButtonPicture::About:
      return IDB_ABOUT;
    case ButtonPicture::Export:
      return IDB_EXPORT;
    case ButtonPicture::Defaults:
      return IDB_DEFAULTS;
  }
  return 0;
}

UniqueImageList PutPictureAboveCaption(HWND button, HINSTANCE instance, ButtonPicture picture) {
  UniqueImageList list = LoadMaskedPicture(instance, PictureResource(picture));
  if (!list) return list;
  SetButtonPicture(button, list.get(), BUTTON_IMAGELIST_ALIGN_TOP, {0, 0, 0, 4});
  return list;
}

}  // namespace quillmark::win32
