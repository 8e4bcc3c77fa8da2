// The effect label as a child window: white text over a soft shadow, transparent over its parent.
#pragma once

#include <windows.h>

#include "app/effect_label.h"
#include "win32/custom_control.h"

namespace quillmark::win32 {

class EffectLabelWindow final : public CustomControl {
 public:
  EffectLabelWindow() = default;

  // The child window; false if it could not be made. The font is set with WM_SETFONT. Its
  // failures are reported to |failures|.
  bool Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds, const char* text,
              FailureBoxApi& failures);

 private:
  LRESULT Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) const override;

  HFONT font_ = nullptr;
  ShadowLabelSettings settings_;  // the defaults: black shadow, blur 4, distance 1, white text
};

}  // namespace quillmark::win32
