// The restore file from the command line: written to a fresh file beside the target and renamed
// over it, so that an existing file survives a failed export whole and keeps its mode; a device
// or a pipe gets the lines as they come.
#pragma once

#include <string>

namespace quillmark {

// Raises EInOutError with the text-file writer's codes and messages.
void ExportRestoreFileReplacing(const std::string& name);

}  // namespace quillmark
