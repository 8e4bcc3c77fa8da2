// The effect label as a child window: white text over a soft shadow, transparent over its parent.
#pragma once

#include <windows.h>

#include "app/effect_label.h"
#include "core/failure_report.h"

namespace quillmark::win32 {

class EffectLabelWindow {
 public:
  EffectLabelWindow() = default;
  EffectLabelWindow(const EffectLabelWindow&) = delete;
  EffectLabelWindow& operator=(const EffectLabelWindow&) = delete;

  // The child window; false if it could not be made. The font is set with WM_SETFONT. Its
  // failures are reported to |failures|.
  bool Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds, const char* text,
              FailureBoxApi& failures);
  HWND Handle() const { return window_; }

  // For ObjectWindowProc.
  void Attach(HWND window) noexcept { window_ = window; }
  void Detach() noexcept { window_ = nullptr; }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  FailureBoxApi& Failures() { return *failures_; }

  void Paint(HDC dc) const;

 private:
  FailureBoxApi* failures_ = nullptr;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  ShadowLabelSettings settings_;  // the defaults: black shadow, blur 4, distance 1, white text
};

}  // namespace quillmark::win32
