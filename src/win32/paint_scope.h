// A window's painting between BeginPaint and EndPaint: EndPaint runs however the painting ends,
// so that the device context goes back and the caret shows again.
#pragma once

#include <windows.h>

namespace quillmark::win32 {

class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() {
    if (dc_) EndPaint(window_, &paint_);
  }

  // Null when the system gave none: there is nothing to paint into.
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace quillmark::win32
