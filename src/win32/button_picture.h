// A push button's picture left of its caption, from a bitmap resource whose bottom-left pixel
// marks the transparent colour.
#pragma once

#include <windows.h>
//
#include <commctrl.h>

#include "win32/handles.h"

namespace quillmark::win32 {

// Empty when the module has no such bitmap.
UniqueImageList LoadMaskedPicture(HMODULE module, int bitmap_id);

// The button draws the list's first image beside its caption (left of it by default, 2 pixels
// apart); it keeps using the list, so the list must outlive the button. Without the version 6
// common controls the button stays plain.
inline bool SetButtonPicture(HWND button, HIMAGELIST pictures,
                             UINT align = BUTTON_IMAGELIST_ALIGN_LEFT, RECT margin = {2, 0, 0, 0}) {
  BUTTON_IMAGELIST settings = {pictures, margin, align};
  return SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&settings)) != FALSE;
}

}  // namespace quillmark::win32
