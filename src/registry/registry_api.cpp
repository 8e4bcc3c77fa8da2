#include "registry/registry_api.h"

namespace quillmark {

std::string_view RootName(RootKey root) {
  switch (root) {
    case RootKey::ClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case RootKey::CurrentUser:
      return "HKEY_CURRENT_USER";
    case RootKey::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
  }
  return "";
}

}  // namespace quillmark
