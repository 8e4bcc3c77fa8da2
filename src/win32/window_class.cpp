#include "win32/creation_failure.h"
#include "win32/object_window_proc.h"

namespace quillmark::win32 {

void RegisterWindowClass(const WNDCLASSEXA& window_class) {
  if (RegisterClassExA(&window_class) != 0) return;
  const DWORD error = GetLastError();
  if (error == ERROR_CLASS_ALREADY_EXISTS) return;
  ThrowCallFailure(std::string("RegisterClassExA of ") + window_class.lpszClassName, error);
}

}  // namespace quillmark::win32
