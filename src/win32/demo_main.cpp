// The demo build: the same program, identifying as a 32-bit Windows 7 Ultimate, so that its
// window opens under a 64-bit Wine.
#include <windows.h>

#include "win32/windows_program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  return quillmark::win32::RunWindowsProgram(instance, show_command,
                                             quillmark::win32::SystemIdentity::SimulatedWindows7);
}
