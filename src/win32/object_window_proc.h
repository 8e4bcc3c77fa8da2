// Window procedures that hand a window's messages to the C++ object that owns it. The object's
// address arrives as the creation parameter and is kept in GWLP_USERDATA.
#pragma once

#include <windows.h>

#include "win32/callback_failures.h"
#include "win32/window_class.h"

namespace quillmark::win32 {

// T provides:
//   void Attach(HWND) noexcept;   the window exists (WM_NCCREATE), before CreateWindowEx returns
//   void Detach() noexcept;       the window is gone (WM_NCDESTROY)
//   LRESULT HandleMessage(HWND, UINT, WPARAM, LPARAM);
//   CallbackFailures& Failures() noexcept;   where a failure of HandleMessage is reported
template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    if (created) created->Attach(window);
  }
  auto* object = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!object) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    object->Detach();
    return DefWindowProcA(window, message, wparam, lparam);
  }
  // A failed message then has the default handling.
  LRESULT result = 0;
  if (object->Failures().Run(
          [&] { result = object->HandleMessage(window, message, wparam, lparam); }))
    return result;
  return DefWindowProcA(window, message, wparam, lparam);
}

// Registers a window class of ObjectWindowProc<T>, as RegisterWindowClass does.
template <typename T>
void RegisterObjectClass(HINSTANCE instance, const char* name, HBRUSH background,
                         HCURSOR cursor = LoadCursor(nullptr, IDC_ARROW), HICON icon = nullptr,
                         HICON small_icon = nullptr) {
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &ObjectWindowProc<T>;
  window_class.hInstance = instance;
  window_class.hCursor = cursor;
  window_class.hbrBackground = background;
  window_class.hIcon = icon;
  window_class.hIconSm = small_icon;
  window_class.lpszClassName = name;
  RegisterWindowClass(window_class);
}

}  // namespace quillmark::win32
