#include "cli/live_registry.h"

namespace quillmark {

std::unique_ptr<RegistryApi> OpenLiveRegistry(std::string& why_not) {
  why_not = "there is no live registry on this system; use --registry FILE";
  return nullptr;
}

}  // namespace quillmark
