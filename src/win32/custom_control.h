// What the program's own child controls share: a window class of their own, their making, the
// window procedure that hands their messages to the object, and painting. They paint their whole
// client area (no erasing), between BeginPaint and EndPaint, and also into a device context a
// parent hands over with WM_PRINTCLIENT.
#pragma once

#include <windows.h>

#include <optional>

#include "core/failure_report.h"
#include "win32/callback_failures.h"

namespace quillmark::win32 {

class CustomControl {
 public:
  CustomControl(const CustomControl&) = delete;
  CustomControl& operator=(const CustomControl&) = delete;

  // The control's window; null until it is made and after it is gone.
  HWND Handle() const { return window_; }

  // For ObjectWindowProc.
  void Attach(HWND window) noexcept { window_ = window; }
  void Detach() noexcept { window_ = nullptr; }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  CallbackFailures& Failures() noexcept { return *failures_; }

 protected:
  CustomControl() = default;
  virtual ~CustomControl() = default;

  // Registers the window class (a refusal throws, naming the call) and makes the child window;
  // false if the system did not make it. Failures of its messages are reported to |failures|.
  bool CreateControl(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                     const char* window_class, const char* text, DWORD style, DWORD ex_style,
                     FailureBoxApi& failures);

  // The messages other than painting; the system's handling unless a control has its own.
  virtual LRESULT Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  virtual void Paint(HDC dc) const = 0;

  // For a control that draws text: keeps the font it is given with WM_SETFONT and answers
  // WM_GETFONT with it. Nothing for other messages.
  static std::optional<LRESULT> FontMessage(HFONT& font, HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam);

 private:
  HWND window_ = nullptr;
  std::optional<CallbackFailures> failures_;
};

}  // namespace quillmark::win32
