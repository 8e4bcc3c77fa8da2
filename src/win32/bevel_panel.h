// A panel in the window's colour framed by a double bevel: the outer one lowered, the inner one
// raised, one pixel each. It gives the plain labels inside it their text colours.
#pragma once

#include <windows.h>

#include <map>

#include "core/failure_report.h"

namespace quillmark::win32 {

class BevelPanel {
 public:
  BevelPanel() = default;
  BevelPanel(const BevelPanel&) = delete;
  BevelPanel& operator=(const BevelPanel&) = delete;

  // The child window; false if it could not be made. Its failures are reported to |failures|.
  bool Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds, FailureBoxApi& failures);
  HWND Handle() const { return window_; }

  // The text colour of a static control inside, by its id; without one, the window-text colour.
  void SetLabelColour(int id, COLORREF colour) { label_colours_[id] = colour; }

  // For ObjectWindowProc.
  void Attach(HWND window) noexcept { window_ = window; }
  void Detach() noexcept { window_ = nullptr; }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  FailureBoxApi& Failures() { return *failures_; }

  void Paint(HDC dc) const;

 private:
  FailureBoxApi* failures_ = nullptr;
  HWND window_ = nullptr;
  std::map<int, COLORREF> label_colours_;
};

}  // namespace quillmark::win32
