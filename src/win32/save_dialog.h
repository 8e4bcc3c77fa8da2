// The system's save-file dialog, modal to its owner.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/shell_controls.h"
#include "win32/on_demand_library.h"

namespace quillmark::win32 {

class Win32SaveDialog final : public SaveDialog {
 public:
  explicit Win32SaveDialog(HWND owner) : owner_(owner) {}

  // The system appends the default extension to a name given without one, and does not ask
  // before an existing file would be replaced. Names take up to the system's longest path.
  // Nothing when cancelled, or where the system has no such dialog; a failure of the dialog
  // itself throws, naming the call and the dialog's error.
  std::optional<std::string> Execute(const SaveDialogSettings& settings,
                                     const std::string& proposed_name) override;

 private:
  HWND owner_;
  // Loaded at the first export: start-up never needs the common dialogs.
  OnDemandLibrary dialogs_{"comdlg32.dll"};
};

// What the dialog's answer means: the name it wrote into |file| (the whole buffer) when a name
// was |chosen|; nothing when it was cancelled, which leaves no |dialog_error|
// (CommDlgExtendedError); otherwise a failure naming the call and the error.
std::optional<std::string> SaveDialogOutcome(bool chosen, DWORD dialog_error, std::string file);

}  // namespace quillmark::win32
