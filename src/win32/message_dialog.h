// The message dialog on the real windowing system: a task dialog where the system draws one with
// visual styles, otherwise a classic box the program builds itself.
#pragma once

#include <windows.h>

#include <string>

#include "app/shell_controls.h"
#include "win32/handles.h"

namespace quillmark::win32 {

enum class DialogForm { Automatic, TaskDialog, Classic };

class Win32MessageDialog final : public MessageDialog {
 public:
  // The hidden application window owns the dialog when the program has no active window. A
  // forced task-dialog form still falls back to the classic box where the system has none.
  explicit Win32MessageDialog(HWND application_window, DialogForm form = DialogForm::Automatic);

  int Show(DialogKind kind, const std::string& text, unsigned buttons) override;

 private:
  HWND application_window_;
  DialogForm form_;
  UniqueLibrary common_controls_;
};

}  // namespace quillmark::win32
