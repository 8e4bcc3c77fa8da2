// Real files in tests: reading one whole, and exporting the restore file onto one.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/failure_classes.h"
#include "platform/file_api.h"
#include "tweaks/restore_file.h"

namespace quillmark::testing {

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

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
