// Reading keys and values of any registry store as they are, asking for read rights only: the
// names of subkeys and values, exact types and bytes, the spelling the store keeps, and copies
// of whole key trees into a MemoryRegistry.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/key_path.h"
#include "registry/registry_api.h"
#include "stores/memory_registry.h"

namespace quillmark {

// The names of a key's subkeys or values in the store's order; none when they cannot be listed.
std::vector<std::string> SubkeyNames(RegistryApi& store, RegKey key);
std::vector<std::string> ValueNames(RegistryApi& store, RegKey key);

// A value's type and bytes, or nothing when the key has no such value or it cannot be read.
std::optional<MemoryRegistry::StoredValue> ReadStoredValue(RegistryApi& store, RegKey key,
                                                           const std::string& name);

// A path below a root as the store spells it: the keys that exist in the store's spelling, the
// rest as given. exists tells whether the whole key exists.
struct SpelledPath {
  std::vector<std::string> names;
  bool exists = false;
};
SpelledPath SpellPath(RegistryApi& store, RootKey root, const std::vector<std::string>& names);

// Makes the key in the registry (with the keys on the way, spelt as the store spells them) and
// copies the store key's values into it; with subtree, every key below it as well. False, and
// nothing made, when the store has no such key.
bool CopyKey(RegistryApi& store, RootKey root, const std::vector<std::string>& names,
             MemoryRegistry& into, bool subtree);

// The key of a registry of our own at the path (names matched without regard to case), or null.
const MemoryRegistry::Key* FindKey(const MemoryRegistry& registry, RootKey root,
                                   const std::vector<std::string>& names);

// Everything the store holds below the three roots.
MemoryRegistry CopyRegistry(RegistryApi& store);

}  // namespace quillmark
