#include "cli/live_registry.h"
#include "registry/win32_registry.h"

namespace quillmark {

std::unique_ptr<RegistryApi> OpenLiveRegistry(std::string&) {
  return std::make_unique<Win32Registry>();
}

}  // namespace quillmark
