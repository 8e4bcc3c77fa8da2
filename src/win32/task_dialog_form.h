// The task-dialog form of the message dialog, through the common-controls library found at run
// time so that the program still starts where that library has no task dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/message_dialog_presentation.h"

namespace quillmark::win32 {

// Whether the common-controls module has the task dialog.
bool HasTaskDialog(HMODULE common_controls);

// The result of the button pressed, or kDialogClosed; nothing when the dialog could not be shown.
std::optional<int> ShowTaskDialog(HMODULE common_controls, HWND owner,
                                  const DialogPresentation& shown, const std::string& text);

}  // namespace quillmark::win32
