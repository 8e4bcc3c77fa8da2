// What the tweaks own in a registry, written out plainly from a list of our own and the key tree
// itself: each owned key's whole tree, each owned value's type and bytes, or "absent".
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "stores/memory_registry.h"
#include "stores/registry_reading.h"

namespace quillmark::testing {

// What the tweaks own, written out here by hand and apart from the program's own table: whole
// keys (value null), with everything below them, and single values ("" for a key's default
// value). Keys are full paths from the root's name; names compare without regard to case.
struct OwnedItem {
  const char* key;
  const char* value;
};

inline constexpr OwnedItem kOwnedByTweaks[] = {
    {"HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To", nullptr},
    {"HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To", nullptr},
    {"HKEY_CLASSES_ROOT\\*\\shell\\runas", nullptr},
    {"HKEY_CLASSES_ROOT\\Directory\\shell\\runas", nullptr},
    {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer",
     nullptr},
    {"HKEY_CLASSES_ROOT\\Directory\\shell\\Command Prompt Here", nullptr},
    {"HKEY_CLASSES_ROOT\\*\\shell\\Open With Notepad", nullptr},
    {"HKEY_CLASSES_ROOT\\Directory\\shell\\Delete Folder Content", nullptr},
    {"HKEY_CURRENT_USER\\Control Panel\\Desktop", "AutoEndTasks"},
    {"HKEY_CURRENT_USER\\Control Panel\\Desktop", "HungAppTimeout"},
    {"HKEY_CURRENT_USER\\Control Panel\\Desktop", "WaitToKillAppTimeout"},
    {"HKEY_CURRENT_USER\\Control Panel\\Desktop", "LowLevelHooksTimeout"},
    {"HKEY_CURRENT_USER\\Control Panel\\Desktop", "MenuShowDelay"},
    {"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout"},
    {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "NoLowDiskSpaceChecks"},
    {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "LinkResolveIgnoreLinkInfo"},
    {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "NoResolveSearch"},
    {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "NoResolveTrack"},
    {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "NoInternetOpenWith"},
    {"HKEY_CURRENT_USER\\Control Panel\\Mouse", "MouseHoverTime"},
    {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
     "EnableLUA"},
    {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
     "ConsentPromptBehaviorAdmin"},
    {"HKEY_CLASSES_ROOT\\Directory\\shell", ""},
};

// The root of a full key path, and the names below it.
inline RootKey RootOf(const std::vector<std::string>& full) {
  for (RootKey root : kRootKeys) {
    if (full.front() == RootName(root)) return root;
  }
  ADD_FAILURE() << "no root in " << full.front();
  return RootKey::CurrentUser;
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
  for (const OwnedItem& item : kOwnedByTweaks) {
    std::vector<std::string> names = KeyNames(item.key);
    const RootKey root = RootOf(names);
    names.erase(names.begin());
    const MemoryRegistry::Key* key = FindKey(registry, root, names);
    out += item.key;
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
