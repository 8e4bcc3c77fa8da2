// A whole text, its line ends already in it, written through the text-file writer.
#pragma once

#include <string>
#include <string_view>

#include "fileio/file_api.h"
#include "fileio/output_text_file.h"

namespace quillmark {

// Raises EInOutError at the first I/O failure; the file under the name is then as it was.
void WriteTextFile(FileApi& files, const std::string& path, std::string_view text);

// The same into a file already opened for writing.
void FinishTextFile(OutputTextFile& file, std::string_view text);

}  // namespace quillmark
