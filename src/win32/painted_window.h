// What the windows that paint themselves answer alike: no erasing (the painting covers the whole
// client area), painting through the object's Paint(dc), also into a device context a parent
// hands over with WM_PRINTCLIENT, and keeping the font they are given.
#pragma once

#include <windows.h>

#include <optional>

namespace quillmark::win32 {

template <typename T>
std::optional<LRESULT> PaintMessage(const T& control, HWND window, UINT message, WPARAM wparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(window, &paint)) {
        control.Paint(dc);
        EndPaint(window, &paint);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      control.Paint(reinterpret_cast<HDC>(wparam));
      return 0;
  }
  return std::nullopt;
}

inline std::optional<LRESULT> FontMessage(HFONT& font, HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam) {
  switch (message) {
    case WM_SETFONT:
      font = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font);
  }
  return std::nullopt;
}

}  // namespace quillmark::win32
