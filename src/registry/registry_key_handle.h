// Owns one key handle of a registry store and closes it when it goes; predefined root handles
// are never closed. Move-only.
#pragma once

#include "core/unique_owner.h"
#include "registry/registry_api.h"

namespace quillmark {

// Closes a key of its store; the close's result is of no use to anyone.
struct RegistryKeyCloser {
  RegistryApi* api = nullptr;
  void operator()(RegKey key) const {
    if (!IsPredefinedHandle(key)) api->CloseKey(key);
  }
};

class RegistryKeyHandle : public UniqueOwner<RegKey, RegistryKeyCloser> {
 public:
  RegistryKeyHandle() = default;
  RegistryKeyHandle(RegistryApi& api, RegKey key)
      : UniqueOwner<RegKey, RegistryKeyCloser>(key, RegistryKeyCloser{&api}) {}
};

}  // namespace quillmark
