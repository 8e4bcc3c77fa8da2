// The one way a window's child controls are made: visible, with their identifier, at their
// placement in the parent's client area.
#pragma once

#include <windows.h>

#include "app/control_placement.h"
#include "win32/dpi_scale.h"

namespace quillmark::win32 {

// A placement at 96 DPI as bounds at the system's |dpi|.
inline RECT ScaledBounds(const ControlPlacement& at, int dpi) {
  const int left = Scale(at.left, dpi);
  const int top = Scale(at.top, dpi);
  return {left, top, left + Scale(at.width, dpi), top + Scale(at.height, dpi)};
}

// Null when the system did not make it. |object| arrives as the creation parameter, for the
// controls of ObjectWindowProc.
inline HWND CreateChildWindow(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                              const char* window_class, const char* text, DWORD style,
                              DWORD ex_style = 0, void* object = nullptr) {
  return CreateWindowExA(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, bounds.left,
                         bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, object);
}

}  // namespace quillmark::win32
