// The one way the program registers a window class.
#pragma once

#include <windows.h>

namespace quillmark::win32 {

// Registering the same name again (a second object of the same kind) is not an error. Any other
// refusal throws a failure naming the call and the system's reason.
void RegisterWindowClass(const WNDCLASSEXA& window_class);

}  // namespace quillmark::win32
