// A panel in the window's colour framed by a double bevel: the outer one lowered, the inner one
// raised, one pixel each. It gives the plain labels inside it their text colours.
#pragma once

#include <windows.h>

#include <map>

#include "win32/custom_control.h"

namespace quillmark::win32 {

class BevelPanel final : public CustomControl {
 public:
  BevelPanel() = default;

  // The child window; false if it could not be made. Its failures are reported to |failures|.
  bool Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds, FailureBoxApi& failures);

  // The text colour of a static control inside, by its id; without one, the window-text colour.
  void SetLabelColour(int id, COLORREF colour) { label_colours_[id] = colour; }

 private:
  LRESULT Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) const override;

  std::map<int, COLORREF> label_colours_;
};

}  // namespace quillmark::win32
