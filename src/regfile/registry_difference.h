// The net difference between two registries, one line per change, sorted by key path (the keys
// of a path before its values, a removal before a making of the same name):
//   + [KEY]                        a key made
//   - [KEY]                        a key removed: every key of a removed tree, not its values
//   + [KEY] NAME=DATA              a value made
//   ~ [KEY] NAME=DATA (was DATA)   a value changed in type or bytes
//   - [KEY] NAME (was DATA)        a value removed
// KEY is the full path from the root's name, NAME "name" or @, DATA in script notation. Names
// match without regard to case; a key or value spelt otherwise than before was removed and made
// again, and is listed so.
#pragma once

#include <string>
#include <vector>

#include "regfile/registry_script.h"
#include "stores/memory_registry.h"

namespace quillmark {

std::vector<std::string> RegistryDifference(const MemoryRegistry& before,
                                            const MemoryRegistry& after);

}  // namespace quillmark
