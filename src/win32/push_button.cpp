#include "win32/push_button.h"

#include <utility>

#include "win32/child_window.h"

namespace quillmark::win32 {

HWND PushButton::Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                        const char* caption, DWORD style, Callbacks callbacks) {
  callbacks_ = std::move(callbacks);
  window_ = CreateChildWindow(instance, parent, id, bounds, "BUTTON", caption, style);
  return window_;
}

void PushButton::Command(UINT code) {
  if (code == BN_CLICKED) Call(callbacks_.click);
}

}  // namespace quillmark::win32
