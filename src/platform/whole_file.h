// Writing a file whole or not at all: the content goes to a new file beside it, which then takes
// its place, so that a failure at any byte leaves the old file as it was. A device or pipe, which
// cannot be replaced, is written directly. Failures raise EInOutError with the codes and messages
// of the text-file writer.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_api.h"

namespace quillmark {

void WriteWholeFile(FileApi& files, const std::string& path, std::string_view content);

}  // namespace quillmark
