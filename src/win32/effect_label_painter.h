// Painting the effect label with GDI: the shadow's mask and blend come from app/effect_label.h,
// this side supplies the pixels (the text drawn into a work bitmap and what lies under the label).
#pragma once

#include <windows.h>

#include <string>

#include "app/effect_label.h"

namespace quillmark::win32 {

struct EffectLabelLook {
  std::string text;
  HFONT font;
  ShadowLabelSettings settings;
  bool enabled;
};

// Paints the label's whole client area into dc, text centred at the top.
void PaintEffectLabel(HWND label, HDC dc, const EffectLabelLook& look);

// What the parent shows under the child, painted into dc at the child's client origin (the
// parent is asked with WM_PRINTCLIENT; without an answer it is the button-face colour).
void PaintParentBackground(HWND child, HDC dc);

}  // namespace quillmark::win32
