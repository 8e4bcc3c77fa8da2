// The files quillmark-cli writes for the user (the restore file, backups, deployment scripts),
// through the one text-file writer: an existing file survives a failed write whole and keeps
// its mode; through a link, the link's target is written and the link stays; a device or a pipe
// gets the bytes as they come.
#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// Each raises EInOutError with the text-file writer's codes and messages.
void ExportRestoreFileReplacing(const std::string& name);
void WriteTextFileReplacing(const std::string& name, std::string_view text);

}  // namespace quillmark
