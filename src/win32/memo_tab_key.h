// Tab and Shift+Tab leave the information memo for the window's next control, as they leave
// every other control: a multi-line edit control otherwise asks the dialog manager for every
// key, and the focus, which starts in the memo, could never move on by keyboard.
#pragma once

#include <windows.h>

namespace quillmark::win32 {

// Subclasses the edit control for the rest of its life; a refusal throws a failure naming the
// call.
void PassTabOn(HWND edit);

}  // namespace quillmark::win32
