#include "win32/message_dialog.h"

#include <uxtheme.h>

#include "app/message_dialog_presentation.h"
#include "win32/classic_message_box.h"
#include "win32/task_dialog_form.h"

namespace quillmark::win32 {

namespace {

// Loading through the process's activation context gives the version its manifest asks for.
HMODULE LoadCommonControls() { return LoadLibraryA("comctl32.dll"); }

bool SystemPrefersTaskDialog(HMODULE common_controls) {
  const DWORD version = GetVersion();
  return LOBYTE(LOWORD(version)) >= 6 && IsAppThemed() && HasTaskDialog(common_controls);
}

bool UsesTaskDialog(DialogForm form, HMODULE common_controls) {
  switch (form) {
    case DialogForm::TaskDialog:
      return HasTaskDialog(common_controls);
    case DialogForm::Automatic:
      return SystemPrefersTaskDialog(common_controls);
    case DialogForm::Classic:
      break;
  }
  return false;
}

}  // namespace

Win32MessageDialog::Win32MessageDialog(HWND application_window, DialogForm form)
    : application_window_(application_window),
      form_(form),
      common_controls_(LoadCommonControls()) {}

int Win32MessageDialog::Show(DialogKind kind, const std::string& text, unsigned buttons) {
  const DialogPresentation shown = PresentDialog(kind, buttons);
  HWND owner = GetActiveWindow();
  if (!owner) owner = application_window_;

  if (UsesTaskDialog(form_, common_controls_.get())) {
    if (const auto result = ShowTaskDialog(common_controls_.get(), owner, shown, text)) {
      return *result;
    }
  }
  return ShowClassicMessageBox(owner, shown, text);
}

}  // namespace quillmark::win32
