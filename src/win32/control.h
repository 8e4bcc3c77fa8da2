// A child control as its window sees it: the window's ControlRouter hands each control the
// messages that concern it, and tells it when the pointer enters, moves over and leaves it.
#pragma once

#include <windows.h>

namespace quillmark::win32 {

class Control {
 public:
  virtual ~Control() = default;

  // The control's window; null until it is made.
  virtual HWND Handle() const = 0;
  // A WM_COMMAND notification the control sent its parent, such as BN_CLICKED.
  virtual void Command(UINT) {}
  // A WM_NOTIFY the control sent its parent; the message's result.
  virtual LRESULT Notify(const NMHDR&) { return 0; }
  // The pointer came onto the control, moved over it, or went off it. A leave is reported
  // before the next control's enter.
  virtual void PointerEntered() {}
  virtual void PointerMoved() {}
  virtual void PointerLeft() {}
};

}  // namespace quillmark::win32
