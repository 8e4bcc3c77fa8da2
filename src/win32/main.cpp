// The program: identifies the system it runs on.
#include <windows.h>

#include "win32/windows_program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  return quillmark::win32::RunWindowsProgram(instance, show_command,
                                             quillmark::win32::SystemIdentity::Real);
}
