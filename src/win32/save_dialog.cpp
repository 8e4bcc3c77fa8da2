#include "win32/save_dialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "core/failure_classes.h"

namespace quillmark::win32 {

namespace {

// The longest path the system takes, in characters, with its ending zero.
constexpr std::size_t kLongestPath = 32768;

struct DialogError {
  DWORD code;
  const char* name;
};

// The common dialogs' errors by their names, for the failure's text.
constexpr DialogError kDialogErrors[] = {
    {CDERR_DIALOGFAILURE, "CDERR_DIALOGFAILURE"},
    {CDERR_FINDRESFAILURE, "CDERR_FINDRESFAILURE"},
    {CDERR_INITIALIZATION, "CDERR_INITIALIZATION"},
    {CDERR_LOADRESFAILURE, "CDERR_LOADRESFAILURE"},
    {CDERR_LOADSTRFAILURE, "CDERR_LOADSTRFAILURE"},
    {CDERR_LOCKRESFAILURE, "CDERR_LOCKRESFAILURE"},
    {CDERR_MEMALLOCFAILURE, "CDERR_MEMALLOCFAILURE"},
    {CDERR_MEMLOCKFAILURE, "CDERR_MEMLOCKFAILURE"},
    {CDERR_NOHINSTANCE, "CDERR_NOHINSTANCE"},
    {CDERR_NOHOOK, "CDERR_NOHOOK"},
    {CDERR_NOTEMPLATE, "CDERR_NOTEMPLATE"},
    {CDERR_REGISTERMSGFAIL, "CDERR_REGISTERMSGFAIL"},
    {CDERR_STRUCTSIZE, "CDERR_STRUCTSIZE"},
    {FNERR_BUFFERTOOSMALL, "FNERR_BUFFERTOOSMALL"},
    {FNERR_INVALIDFILENAME, "FNERR_INVALIDFILENAME"},
    {FNERR_SUBCLASSFAILURE, "FNERR_SUBCLASSFAILURE"},
};

[[noreturn]] void ThrowDialogError(DWORD code) {
  char number[16];
  std::snprintf(number, sizeof number, "0x%04lX", static_cast<unsigned long>(code));
  std::string message = std::string("GetSaveFileNameA failed with dialog error ") + number;
  for (const DialogError& known : kDialogErrors)
    if (known.code == code) message += std::string(" (") + known.name + ")";
  throw Exception(message);
}

}  // namespace

std::optional<std::string> Win32SaveDialog::Execute(const SaveDialogSettings& settings,
                                                    const std::string& proposed_name) {
  const auto get_save_file_name = dialogs_.Find<decltype(&GetSaveFileNameA)>("GetSaveFileNameA");
  const auto dialog_error = dialogs_.Find<decltype(&CommDlgExtendedError)>("CommDlgExtendedError");
  if (!get_save_file_name || !dialog_error) return std::nullopt;

  // One file type: description and pattern, each ended by a zero, and a zero to end the list.
  std::string filter = settings.filter_description;
  filter += '\0';
  filter += settings.filter_pattern;
  filter += '\0';
  filter += '\0';

  // Room for the longest path the system takes, and for the whole proposed name in any case.
  std::string file(std::max(kLongestPath, proposed_name.size() + 1), '\0');
  proposed_name.copy(file.data(), proposed_name.size());

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
  const bool chosen = get_save_file_name(&dialog) != FALSE;
  return SaveDialogOutcome(chosen, chosen ? 0 : dialog_error(), std::move(file));
}

std::optional<std::string> SaveDialogOutcome(bool chosen, DWORD dialog_error, std::string file) {
  if (!chosen) {
    // Zero when the user cancelled; anything else is the dialog's failure.
    if (dialog_error != 0) ThrowDialogError(dialog_error);
    return std::nullopt;
  }
  // The name the dialog wrote ends with its zero inside the buffer; none means it was cut.
  const std::size_t length = file.find('\0');
  if (length == std::string::npos) ThrowDialogError(FNERR_BUFFERTOOSMALL);
  file.resize(length);
  return file;
}

}  // namespace quillmark::win32
