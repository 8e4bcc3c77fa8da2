// A whole text, its line ends already in it, written through the text-file writer.
#pragma once

#include <string>
#include <string_view>

#include "fileio/file_api.h"
#include "fileio/file_destination.h"
#include "fileio/output_text_file.h"

namespace quillmark {

// Raises EInOutError at the first I/O failure; the file under the name is then as it was.
void WriteTextFile(FileApi& files, const std::string& path, std::string_view text);

// The same into a file already opened for writing.
void FinishTextFile(OutputTextFile& file, std::string_view text);

// The same for names of any length, which the text-file writer's name field cannot hold (a
// snapshot deep in a folder tree): opens the destination, then puts the whole text in place.
// Raises EInOutError with the text-file writer's messages.
void OpenFileDestination(FileDestination& destination, const std::string& path);
void FinishFileDestination(FileDestination& destination, std::string_view text);

}  // namespace quillmark
