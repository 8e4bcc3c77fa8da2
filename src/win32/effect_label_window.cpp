#include "win32/effect_label_window.h"

#include "win32/effect_label_painter.h"
#include "win32/object_window_proc.h"
#include "win32/window_text.h"

namespace quillmark::win32 {

namespace {

constexpr char kEffectLabelClass[] = "QuillmarkEffectLabel";

}  // namespace

bool EffectLabelWindow::Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                               const char* text) {
  if (!RegisterObjectClass<EffectLabelWindow>(instance, kEffectLabelClass, nullptr)) return false;
  return CreateWindowExA(0, kEffectLabelClass, text, WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                         this) != nullptr;
}

LRESULT EffectLabelWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the painting starts from the parent's pixels
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(window, &paint)) {
        Paint(dc);
        EndPaint(window, &paint);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window, message, wparam, lparam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void EffectLabelWindow::Paint(HDC dc) const {
  PaintEffectLabel(window_, dc,
                   {WindowText(window_), font_, settings_, IsWindowEnabled(window_) != FALSE});
}

}  // namespace quillmark::win32
