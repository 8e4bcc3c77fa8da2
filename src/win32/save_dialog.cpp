#include "win32/save_dialog.h"

#include <commdlg.h>

#include <array>

namespace quillmark::win32 {

std::optional<std::string> Win32SaveDialog::Execute(const SaveDialogSettings& settings,
                                                    const std::string& proposed_name) {
  const auto get_save_file_name = dialogs_.Find<decltype(&GetSaveFileNameA)>("GetSaveFileNameA");
  if (!get_save_file_name) return std::nullopt;

  // One file type: description and pattern, each ended by a zero, and a zero to end the list.
  std::string filter = settings.filter_description;
  filter += '\0';
  filter += settings.filter_pattern;
  filter += '\0';
  filter += '\0';

  std::array<char, MAX_PATH> file{};
  proposed_name.copy(file.data(), file.size() - 1);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = settings.title;
  dialog.lpstrDefExt = settings.default_extension;
  dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!get_save_file_name(&dialog)) return std::nullopt;
  return std::string(file.data());
}

}  // namespace quillmark::win32
