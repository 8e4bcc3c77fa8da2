// A push button that reports its clicks and the pointer's coming and going through callbacks,
// by way of its window's ControlRouter.
#pragma once

#include <windows.h>

#include <functional>

#include "win32/control.h"

namespace quillmark::win32 {

class PushButton final : public Control {
 public:
  struct Callbacks {
    std::function<void()> click;
    std::function<void()> enter;
    std::function<void()> leave;
  };

  PushButton() = default;
  PushButton(const PushButton&) = delete;
  PushButton& operator=(const PushButton&) = delete;

  // The button's window, destroyed with its parent; null if it could not be made. BS_PUSHBUTTON
  // or BS_DEFPUSHBUTTON goes in |style|.
  HWND Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds, const char* caption,
              DWORD style, Callbacks callbacks);

  HWND Handle() const override { return window_; }
  // Its parent, and so the button, is gone.
  void Forget() { window_ = nullptr; }
  void Command(UINT code) override;
  void PointerEntered() override { Call(callbacks_.enter); }
  void PointerLeft() override { Call(callbacks_.leave); }

 private:
  static void Call(const std::function<void()>& callback) {
    if (callback) callback();
  }

  HWND window_ = nullptr;
  Callbacks callbacks_;
};

}  // namespace quillmark::win32
