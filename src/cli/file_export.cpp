#include "cli/file_export.h"

#include "fileio/file_api.h"
#include "fileio/file_system.h"
#include "fileio/text_file_write.h"
#include "tweaks/restore_file.h"

namespace quillmark {

namespace {

// Where the name's links end for a file, made where a dangling link leads; the name itself for
// what is no file, whose name opens where no path may reach ("pipe:[81]" for /dev/stdout).
std::string PathToWrite(const std::string& name) {
  FileTarget target = FindTarget(name);
  switch (target.kind) {
    case FileKind::Regular:
    case FileKind::Missing:
    case FileKind::DanglingLink:
      return std::move(target.path);
    case FileKind::Folder:
    case FileKind::Special:
    case FileKind::LinkLoop:
      break;
  }
  return name;
}

}  // namespace

void ExportRestoreFileReplacing(const std::string& name) {
  WriteRestoreFile(SystemFiles(), PathToWrite(name));
}

void WriteTextFileReplacing(const std::string& name, std::string_view text) {
  WriteTextFile(SystemFiles(), PathToWrite(name), text);
}

}  // namespace quillmark
