#include "registry/key_path.h"

namespace quillmark {

std::vector<std::string_view> KeyPathParts(std::string_view path) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t end = path.find('\\');
    parts.push_back(path.substr(0, end));
    if (end == std::string_view::npos) return parts;
    path.remove_prefix(end + 1);
  }
}

std::vector<std::string> KeyNames(std::string_view path) {
  std::vector<std::string> names;
  for (std::string_view part : KeyPathParts(path)) {
    if (!part.empty()) names.emplace_back(part);
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
