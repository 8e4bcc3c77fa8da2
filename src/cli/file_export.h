// The files quillmark-cli writes for the user (the restore file, backups, deployment scripts):
// each goes to a fresh file beside the target that is renamed over it, so that an existing file
// survives a failed write whole and keeps its mode; a device or a pipe gets the bytes as they
// come.
#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// Each raises EInOutError with the text-file writer's codes and messages.
void ExportRestoreFileReplacing(const std::string& name);
void WriteTextFileReplacing(const std::string& name, std::string_view text);

}  // namespace quillmark
