// The main window's button pictures: 32 by 32, centred above the caption, 4 pixels apart.
#pragma once

#include <windows.h>

#include "app/main_window_layout.h"
#include "win32/button_picture.h"

namespace quillmark::win32 {

// The picture's resource number.
int PictureResource(ButtonPicture picture);

// The image list must live as long as the button. Without version 6 of the common controls the
// button shows its caption only.
UniqueImageList PutPictureAboveCaption(HWND button, HINSTANCE instance, ButtonPicture picture);

}  // namespace quillmark::win32
