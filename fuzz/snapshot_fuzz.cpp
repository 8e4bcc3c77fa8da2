// Any text either fails to load with a SnapshotError or loads into a registry whose saved form
// is canonical: loading the saved text and saving it again gives the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/memory_registry.h"
#include "platform/registry_script.h"

namespace {

using quillmark::MemoryRegistry;

[[noreturn]] void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "snapshot_fuzz: %s\n%s\n", what, detail.c_str());
  std::abort();
}

bool HasLineBreak(std::string_view name) { return name.find_first_of("\r\n") != name.npos; }

// A line break in a name is the one thing a loaded registry may hold that cannot be saved.
bool HoldsUnsavableName(const MemoryRegistry::Key& key) {
  if (HasLineBreak(key.name)) return true;
  for (const auto& [name, value] : key.values) {
    if (HasLineBreak(name)) return true;
  }
  for (const auto& subkey : key.subkeys) {
    if (HoldsUnsavableName(*subkey)) return true;
  }
  return false;
}

bool HoldsUnsavableName(const MemoryRegistry& registry) {
  for (quillmark::RootKey root : quillmark::kRootKeys) {
    if (HoldsUnsavableName(registry.Root(root))) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  MemoryRegistry loaded;
  try {
    loaded = quillmark::LoadSnapshot(text);
  } catch (const quillmark::SnapshotError&) {
    return 0;
  }
  if (loaded.OpenHandleCount() != 0) Broken("loading left handles open", "");

  std::string first;
  try {
    first = quillmark::SaveSnapshot(loaded);
  } catch (const quillmark::SnapshotError& error) {
    if (HoldsUnsavableName(loaded)) return 0;
    Broken("a registry without line breaks in its names could not be saved", error.Message());
  }

  MemoryRegistry reloaded;
  try {
    reloaded = quillmark::LoadSnapshot(first);
  } catch (const quillmark::SnapshotError& error) {
    Broken("a saved snapshot does not load", error.Message() + "\n--- saved:\n" + first);
  }
  const std::string second = quillmark::SaveSnapshot(reloaded);
  if (second != first) {
    Broken("saving is not canonical", "--- first:\n" + first + "\n--- second:\n" + second);
  }
  return 0;
}
