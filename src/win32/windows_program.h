// The Windows program from WinMain to exit: the start-up sequence over real windows.
#pragma once

#include <windows.h>

namespace quillmark::win32 {

// Which system the program identifies: the one it runs on, or the simulated 32-bit Windows 7
// Ultimate of the demo build (which still works on the real registry).
enum class SystemIdentity { Real, SimulatedWindows7 };

// Returns the exit code: 0, or 1 when start-up failed (reported). The command line is not
// looked at.
int RunWindowsProgram(HINSTANCE instance, int show_command, SystemIdentity identity);

}  // namespace quillmark::win32
