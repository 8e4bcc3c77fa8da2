// Any text either fails to load with a SnapshotError or loads into a registry whose saved form
// is canonical: loading the saved text and saving it again gives the same text. Applied to a
// registry that holds other keys too, a script leaves alone every key it does not name, whether
// it applies in full or stops at a refused step. Read as a file, in whatever encoding its
// byte-order mark names, the bytes decode or fail with a SnapshotError, encode back to
// themselves, and load as a document whose saved form, kept sections and all, is canonical too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/ascii_case.h"
#include "regfile/registry_file_encoding.h"
#include "regfile/registry_script.h"
#include "registry/tregistry.h"
#include "stores/memory_registry.h"

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

// Keys that no script names unless it spells "Bystander" somewhere.
constexpr std::string_view kBystanders =
    "Windows Registry Editor Version 5.00\r\n"
    "[HKEY_CLASSES_ROOT\\Bystander\\Kept]\r\n\"Value\"=\"kept\"\r\n"
    "[HKEY_CURRENT_USER\\Bystander\\Kept]\r\n\"Value\"=\"kept\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Bystander\\Kept]\r\n\"Value\"=\"kept\"\r\n";

bool Mentions(std::string_view text, std::string_view word) {
  for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
    if (quillmark::EqualsNoCase(text.substr(at, word.size()), word)) return true;
  }
  return false;
}

void CheckBystandersKept(std::string_view text) {
  if (Mentions(text, "Bystander")) return;
  MemoryRegistry registry = quillmark::LoadSnapshot(kBystanders);
  try {
    quillmark::ApplyRegistryScript(registry, text);
  } catch (const quillmark::SnapshotError&) {
    // Stopping part way is allowed; touching what the script does not name is not.
  }
  quillmark::TRegistry object(registry);
  for (quillmark::RootKey root : quillmark::kRootKeys) {
    object.SelectRoot(root);
    if (!object.OpenAsCurrent("\\Bystander\\Kept", false) || object.ReadText("Value") != "kept") {
      Broken("a script changed a key it does not name",
             std::string(quillmark::RootName(root)) + "\\Bystander\\Kept");
    }
  }
}

void CheckAsFile(std::string_view bytes) {
  quillmark::RegistryFileText decoded;
  try {
    decoded = quillmark::DecodeRegistryFile(bytes);
  } catch (const quillmark::SnapshotError&) {
    return;
  }
  if (quillmark::EncodeRegistryFile(decoded.text, decoded.encoding) != bytes) {
    Broken("a decoded file does not encode back to its bytes", std::string(bytes));
  }
  std::string first;
  try {
    first = quillmark::SaveSnapshotDocument(quillmark::LoadSnapshotDocument(decoded.text));
  } catch (const quillmark::SnapshotError&) {
    return;  // a fault, or a name with a line break
  }
  std::string second;
  try {
    second = quillmark::SaveSnapshotDocument(quillmark::LoadSnapshotDocument(first));
  } catch (const quillmark::SnapshotError& error) {
    Broken("a saved document does not load", error.Message() + "\n--- saved:\n" + first);
  }
  if (second != first) {
    Broken("saving a document is not canonical",
           "--- first:\n" + first + "\n--- second:\n" + second);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckAsFile(text);
  MemoryRegistry loaded;
  try {
    loaded = quillmark::LoadSnapshot(text);
  } catch (const quillmark::SnapshotError&) {
    CheckBystandersKept(text);
    return 0;
  }
  CheckBystandersKept(text);
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
