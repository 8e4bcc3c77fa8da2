#include "win32/effect_label_window.h"

#include "win32/child_window.h"
#include "win32/effect_label_painter.h"
#include "win32/object_window_proc.h"
#include "win32/painted_window.h"
#include "win32/window_text.h"

namespace quillmark::win32 {

namespace {

constexpr char kEffectLabelClass[] = "QuillmarkEffectLabel";

}  // namespace

bool EffectLabelWindow::Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                               const char* text, FailureBoxApi& failures) {
  failures_ = &failures;
  if (!RegisterObjectClass<EffectLabelWindow>(instance, kEffectLabelClass, nullptr)) return false;
  return CreateChildWindow(instance, parent, id, bounds, kEffectLabelClass, text, 0, 0, this) !=
         nullptr;
}

LRESULT EffectLabelWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (auto done = PaintMessage(*this, window, message, wparam)) return *done;
  if (auto done = FontMessage(font_, window, message, wparam, lparam)) return *done;
  switch (message) {
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
