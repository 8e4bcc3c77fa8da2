// The failures of a hive file: its name, a colon and one of the texts of hive/hive_messages.h or
// fileio/file_messages.h with its detail.
#pragma once

#include <cstdio>
#include <string>

#include "core/failure_classes.h"

namespace quillmark {

[[noreturn]] inline void HiveFailure(const std::string& path, const char* text,
                                     const std::string& detail = "") {
  std::string line(text);
  if (const std::size_t at = line.find("%s"); at != std::string::npos) {
    line.replace(at, 2, detail);
  }
  throw Exception(path + ": " + line);
}

}  // namespace quillmark
