// Plain top-level windows for the dialog tests to own dialogs, hold the focus and be disabled.
#pragma once

#include <windows.h>

#include <functional>

#include "win32/handles.h"

namespace quillmark::win32::testing {

// A hidden window standing for the application window.
UniqueWindow CreateHiddenWindow();

// A visible, activated window with an edit control in it that has the focus.
UniqueWindow CreateActiveWindow(const char* title);

// Removes what the windows of earlier tests may have left for this thread to do.
void PumpPendingMessages();

// Pumps this thread's messages until the condition holds, for up to 20 seconds: activation
// under X comes back from the display server a little later. True when it held.
bool PumpUntil(const std::function<bool()>& condition);

}  // namespace quillmark::win32::testing
