#include "win32/effect_label_window.h"

#include "win32/effect_label_painter.h"
#include "win32/window_text.h"

namespace quillmark::win32 {

namespace {

constexpr char kEffectLabelClass[] = "QuillmarkEffectLabel";

}  // namespace

bool EffectLabelWindow::Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                               const char* text, FailureBoxApi& failures) {
  return CreateControl(instance, parent, id, bounds, kEffectLabelClass, text, 0, 0, failures);
}

LRESULT EffectLabelWindow::Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (auto done = FontMessage(font_, window, message, wparam, lparam)) return *done;
  const LRESULT result = DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_SETTEXT) InvalidateRect(window, nullptr, FALSE);
  return result;
}

void EffectLabelWindow::Paint(HDC dc) const {
  PaintEffectLabel(Handle(), dc,
                   {WindowText(Handle()), font_, settings_, IsWindowEnabled(Handle()) != FALSE});
}

}  // namespace quillmark::win32
