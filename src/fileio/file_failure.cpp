#include "fileio/file_failure.h"

#include <cstdio>

#include "core/failure_classes.h"

namespace quillmark {

void FailOnFile(const std::string& path, const char* text, const std::string& detail) {
  char line[512];
  std::snprintf(line, sizeof line, text, detail.c_str());
  throw Exception(path + ": " + line);
}

}  // namespace quillmark
