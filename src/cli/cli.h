// quillmark-cli: the tweak engine from the command line, on the live registry or on a registry
// snapshot file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillmark {

// Runs one command line (without the program name); returns the exit code: 0 success,
// 1 a failure, 2 bad usage.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quillmark
