#include "win32/window_class.h"

#include <string>

#include "win32/creation_failure.h"

namespace quillmark::win32 {

void RegisterWindowClass(const WNDCLASSEXA& window_class) {
  if (RegisterClassExA(&window_class) != 0) return;
  const DWORD error = GetLastError();
  if (error == ERROR_CLASS_ALREADY_EXISTS) return;
  ThrowCallFailure(std::string("RegisterClassExA of ") + window_class.lpszClassName, error);
}

}  // namespace quillmark::win32
