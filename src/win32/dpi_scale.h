// Sizes in the program's tables are pixels at 96 dots per inch; at another system DPI they
// scale proportionally.
#pragma once

#include <windows.h>

#include "win32/handles.h"

namespace quillmark::win32 {

inline int SystemDpi() {
  const WindowDc screen(nullptr);
  const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

inline int Scale(int pixels_at_96, int dpi) { return MulDiv(pixels_at_96, dpi, 96); }

// A font whose character height is the given pixels at 96 DPI ("Tahoma", 11 is 8 points).
inline HFONT CreatePixelFont(const char* face, int character_height_at_96, int dpi,
                             bool bold = false) {
  return CreateFontA(-Scale(character_height_at_96, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                     FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace quillmark::win32
