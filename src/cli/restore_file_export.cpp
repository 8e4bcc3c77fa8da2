#include "cli/restore_file_export.h"

#include "cli/file_system.h"
#include "platform/failure_classes.h"
#include "platform/file_api.h"
#include "platform/output_text_file.h"
#include "tweaks/restore_file.h"

namespace quillmark {

void ExportRestoreFileReplacing(const std::string& name) {
  const FileTarget target = FindTarget(name);
  switch (target.kind) {
    case FileKind::Folder:
    case FileKind::Special:
    case FileKind::LinkLoop:
      // The writer's own open says what a folder is; a device takes the lines as they come.
      WriteRestoreFile(SystemFiles(), name);
      return;
    case FileKind::Regular:
      if (!target.writable) {
        throw EInOutError(static_cast<int>(kAccessDenied),
                          IoErrorMessage(static_cast<int>(kAccessDenied)));
      }
      break;
    case FileKind::Missing:
    case FileKind::DanglingLink:  // made where the link leads, as the writer's open would
      break;
  }
  ReplacementFile replacement = ReplacementFile::Create(target.path);
  replacement.Close();
  WriteRestoreFile(SystemFiles(), replacement.Path());
  replacement.Replace();
}

}  // namespace quillmark
