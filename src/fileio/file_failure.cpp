#include "fileio/file_failure.h"

#include "core/failure_classes.h"

namespace quillmark {

// The detail goes in whole, as it is: a long path is not cut, and a % in it is no format.
void FailOnFile(const std::string& path, const char* text, const std::string& detail) {
  std::string line(text);
  if (const std::size_t at = line.find("%s"); at != std::string::npos) line.replace(at, 2, detail);
  throw Exception(path + ": " + line);
}

}  // namespace quillmark
