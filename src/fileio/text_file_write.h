// A whole text, its line ends already in it, written through the text-file writer.
#pragma once

#include <string>
#include <string_view>

#include "fileio/file_api.h"

namespace quillmark {

// Raises EInOutError at the first I/O failure; a file that was opened and not finished is
// removed before the failure leaves.
void WriteTextFile(FileApi& files, const std::string& path, std::string_view text);

}  // namespace quillmark
