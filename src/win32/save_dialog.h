// The system's save-file dialog, modal to its owner.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/shell_controls.h"

namespace quillmark::win32 {

class Win32SaveDialog final : public SaveDialog {
 public:
  explicit Win32SaveDialog(HWND owner) : owner_(owner) {}

  // The system appends the default extension to a name given without one, and does not ask
  // before an existing file would be replaced.
  std::optional<std::string> Execute(const SaveDialogSettings& settings,
                                     const std::string& proposed_name) override;

 private:
  HWND owner_;
};

}  // namespace quillmark::win32
