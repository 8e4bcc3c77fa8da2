// Key paths as text: "ROOT\a\b" and the paths below a key, split into names and joined again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace quillmark {

// Every piece of a path between separators, empty ones too: "A\\B" gives A, "" and B.
std::vector<std::string_view> KeyPathParts(std::string_view path);
// The key names of a path: "\A\\B\" gives A and B; empty names stand for nothing, as on Windows.
std::vector<std::string> KeyNames(std::string_view path);
// As KeyNames, refusing (kErrorInvalidParameter) a name longer than a key name may be.
RegStatus CheckedKeyNames(std::string_view path, std::vector<std::string>& names);
// The names joined with "\".
std::string JoinKeyNames(const std::vector<std::string>& names);
// The path below a key with its separators tidied: "\A\\B\" gives "A\B".
std::string TidyKeyPath(std::string_view path);
// The full path of a key, its root's name first: "HKEY_CURRENT_USER\A\B".
std::string FullKeyPath(RootKey root, const std::vector<std::string>& names);
std::string FullKeyPath(RootKey root, std::string_view below);

}  // namespace quillmark
