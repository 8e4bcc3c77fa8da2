// The failure about a file: "PATH: " and one of the texts of a messages table (such as
// fileio/file_messages.h), its %s standing for detail.
#pragma once

#include <string>

namespace quillmark {

// Raises Exception.
[[noreturn]] void FailOnFile(const std::string& path, const char* text,
                             const std::string& detail = "");

}  // namespace quillmark
