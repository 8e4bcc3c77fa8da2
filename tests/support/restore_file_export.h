// Exporting the restore file onto a real file in tests.
#pragma once

#include <string>

#include "core/failure_classes.h"
#include "fileio/file_api.h"
#include "support/files.h"
#include "tweaks/restore_file.h"

namespace quillmark::testing {

// Exports the restore file onto path; returns the failure's code and message, or "exported".
inline std::string ExportRestoreFile(const std::string& path, FileApi& files = SystemFiles()) {
  try {
    WriteRestoreFile(files, path);
  } catch (const EInOutError& failure) {
    return std::to_string(failure.ErrorCode()) + " " + failure.Message();
  }
  return "exported";
}

}  // namespace quillmark::testing
