// Fresh names for the files that replace others: the same folder, never a name anyone chose.
#pragma once

#include <string>

namespace quillmark {

// path, a dot, 16 random hex digits and ".tmp": "m.reg.5f0c3a9e1b7d2486.tmp".
std::string TemporaryNameBeside(const std::string& path);

}  // namespace quillmark
