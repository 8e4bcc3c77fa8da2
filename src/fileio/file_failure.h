// The failure about a file quillmark-cli was given: "PATH: " and one of the texts of
// fileio/file_messages.h, its %s standing for detail.
#pragma once

#include <string>

namespace quillmark {

// Raises Exception.
[[noreturn]] void FailOnFile(const std::string& path, const char* text,
                             const std::string& detail = "");

}  // namespace quillmark
