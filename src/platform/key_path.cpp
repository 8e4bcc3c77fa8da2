#include "platform/key_path.h"

#include <algorithm>

namespace quillmark {

std::vector<std::string> KeyNames(std::string_view path) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < path.size();) {
    if (path[i] == '\\') {
      ++i;
      continue;
    }
    const std::size_t end = std::min(path.find('\\', i), path.size());
    names.emplace_back(path.substr(i, end - i));
    i = end;
  }
  return names;
}

RegStatus CheckedKeyNames(std::string_view path, std::vector<std::string>& names) {
  names = KeyNames(path);
  for (const std::string& name : names) {
    if (name.size() > kMaxKeyNameLength) return kErrorInvalidParameter;
  }
  return kErrorSuccess;
}

std::string JoinKeyNames(const std::vector<std::string>& names) {
  std::string path;
  for (const std::string& name : names) {
    if (!path.empty()) path += '\\';
    path += name;
  }
  return path;
}

std::string TidyKeyPath(std::string_view path) { return JoinKeyNames(KeyNames(path)); }

std::string FullKeyPath(RootKey root, const std::vector<std::string>& names) {
  std::string path(RootName(root));
  for (const std::string& name : names) {
    path += '\\';
    path += name;
  }
  return path;
}

std::string FullKeyPath(RootKey root, std::string_view below) {
  std::string path(RootName(root));
  if (!below.empty()) {
    path += '\\';
    path += below;
  }
  return path;
}

}  // namespace quillmark
