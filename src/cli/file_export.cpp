#include "cli/file_export.h"

#include "core/failure_classes.h"
#include "fileio/file_api.h"
#include "fileio/output_text_file.h"
#include "fileio/text_file_write.h"
#include "files/file_system.h"
#include "tweaks/restore_file.h"

namespace quillmark {

namespace {

// write(path) writes the whole file under path through the text-file writer.
template <typename Write>
void WriteReplacing(const std::string& name, const Write& write) {
  // A name the writer could not hold is refused as the writer refuses it, before any file is
  // made for it.
  if (name.size() > OutputTextFile::kMaxNameLength) {
    throw EInOutError(kIoInvalidFilename, IoErrorMessage(kIoInvalidFilename));
  }
  const FileTarget target = FindTarget(name);
  switch (target.kind) {
    case FileKind::Folder:
    case FileKind::Special:
    case FileKind::LinkLoop:
      // The writer's own open says what a folder is; a device takes the bytes as they come.
      write(name);
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
  write(replacement.Path());
  replacement.Replace();
}

}  // namespace

void ExportRestoreFileReplacing(const std::string& name) {
  WriteReplacing(name, [](const std::string& path) { WriteRestoreFile(SystemFiles(), path); });
}

void WriteTextFileReplacing(const std::string& name, std::string_view text) {
  WriteReplacing(name,
                 [text](const std::string& path) { WriteTextFile(SystemFiles(), path, text); });
}

}  // namespace quillmark
