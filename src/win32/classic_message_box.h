// The classic form of the message dialog: a modal window of class TMessageForm with the system
// icon, the word-wrapped text and a centred row of buttons.
#pragma once

#include <windows.h>

#include <string>

#include "app/message_dialog_presentation.h"

namespace quillmark::win32 {

// The icon and the text carry these identifiers; the buttons carry their results.
inline constexpr int kIdClassicIcon = 20;
inline constexpr int kIdClassicText = 21;

// The result of the button pressed, or kDialogClosed for the close box.
int ShowClassicMessageBox(HWND owner, const DialogPresentation& shown, const std::string& text);

}  // namespace quillmark::win32
