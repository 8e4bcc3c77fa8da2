#include <windows.h>

#include "platform/win32_failure_box.h"

namespace quillmark {

void Win32FailureBox::CancelMouseCapture() {
  if (HWND holder = GetCapture()) SendMessageA(holder, WM_CANCELMODE, 0, 0);
}

void Win32FailureBox::ShowErrorBox(const std::string& text, const std::string& title) {
  MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_ICONERROR);
}

}  // namespace quillmark
