// What the tweaks own in a registry, written out plainly from the footprint table and the key
// tree itself: each owned key's whole tree, each owned value's type and bytes, or "absent".
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "stores/memory_registry.h"
#include "stores/registry_reading.h"
#include "tweaks/tweak_catalogue.h"

namespace quillmark::testing {

inline std::vector<std::string> PathNames(const char* path) {
  std::vector<std::string> names;
  std::string name;
  for (const char* c = path;; ++c) {
    if (*c == '\\' || *c == '\0') {
      if (!name.empty()) names.push_back(name);
      name.clear();
      if (*c == '\0') return names;
    } else {
      name += *c;
    }
  }
}

inline std::string Plainly(const MemoryRegistry::StoredValue& value) {
  std::string text = "type " + std::to_string(value.type) + ":";
  for (std::uint8_t byte : value.data) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", byte);
    text += hex;
  }
  return text;
}

inline void WriteTree(const MemoryRegistry::Key& key, const std::string& path, std::string& out) {
  out += "  key " + path + "\n";
  for (const auto& [name, value] : key.values) out += "    '" + name + "' " + Plainly(value) + "\n";
  for (const auto& subkey : key.subkeys) WriteTree(*subkey, path + "\\" + subkey->name, out);
}

inline std::string OwnedState(const MemoryRegistry& registry) {
  std::string out;
  for (const FootprintItem& item : OwnedFootprint()) {
    const MemoryRegistry::Key* key = FindKey(registry, item.root, PathNames(item.key));
    out += std::string(RootName(item.root)) + item.key;
    if (item.value == nullptr) {
      out += ":\n";
      if (key == nullptr) {
        out += "  absent\n";
      } else {
        WriteTree(*key, key->name, out);
      }
      continue;
    }
    out += " '" + std::string(item.value) + "': ";
    if (key != nullptr && key->values.contains(item.value)) {
      out += Plainly(key->values.find(item.value)->second);
    } else {
      out += "absent";
    }
    out += "\n";
  }
  return out;
}

}  // namespace quillmark::testing
