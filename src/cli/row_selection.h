// The ROWS of apply: "none", "all", or a comma-separated list of row indexes, short names and
// ranges of indexes: "0,3,13", "copy-to,uac", "0-3,notepad".
#pragma once

#include <string>

namespace quillmark {

// The boxes to tick as text, "x" for ticked and "." for not, one per row. Raises UsageError
// saying what is wrong.
std::string ParseRows(const std::string& text);

}  // namespace quillmark
