// The registry of the machine the command runs on, where there is one.
#pragma once

#include <memory>
#include <string>

#include "registry/registry_api.h"

namespace quillmark {

// The live registry, or null with the reason in why_not.
std::unique_ptr<RegistryApi> OpenLiveRegistry(std::string& why_not);

}  // namespace quillmark
