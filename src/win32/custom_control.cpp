#include "win32/custom_control.h"

#include "win32/child_window.h"
#include "win32/object_window_proc.h"
#include "win32/paint_scope.h"

namespace quillmark::win32 {

bool CustomControl::CreateControl(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                                  const char* window_class, const char* text, DWORD style,
                                  DWORD ex_style, FailureBoxApi& failures) {
  failures_.emplace(failures);
  RegisterObjectClass<CustomControl>(instance, window_class, nullptr);
  return CreateChildWindow(instance, parent, id, bounds, window_class, text, style, ex_style,
                           this) != nullptr;
}

LRESULT CustomControl::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const PaintScope paint(window);
      if (paint.dc()) Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    default:
      return Message(window, message, wparam, lparam);
  }
}

LRESULT CustomControl::Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

std::optional<LRESULT> CustomControl::FontMessage(HFONT& font, HWND window, UINT message,
                                                  WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFONT:
      font = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font);
    default:
      return std::nullopt;
  }
}

}  // namespace quillmark::win32
