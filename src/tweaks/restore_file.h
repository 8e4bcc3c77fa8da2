// The restore file: a registry script that puts the system defaults back when the user runs it.
// Its content is fixed; it depends neither on the registry nor on the rows.
#pragma once

#include <string>
#include <vector>

#include "fileio/file_api.h"

namespace quillmark {

// The file's lines, without their line ends.
std::vector<std::string> RestoreFileLines();

// Writes the lines, each ended by CR LF, and raises EInOutError at the first I/O failure; the file
// under the name is then as it was.
void WriteRestoreFile(FileApi& files, const std::string& path);

}  // namespace quillmark
