// Registry scripts ("Windows Registry Editor Version 5.00") as registry snapshots: a test or a
// command states a registry as a few readable lines, and a MemoryRegistry is saved back as text
// in one canonical form, so that results compare as text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/failure_classes.h"
#include "regfile/registry_script_lines.h"
#include "registry/registry_api.h"
#include "stores/memory_registry.h"

namespace quillmark {

// A script that cannot be read or applied; the message names the line.
class SnapshotError : public Exception {
 public:
  SnapshotError(int line, const std::string& message);
  int Line() const { return line_; }

 private:
  int line_;
};

// Appends the key as "[path]" with its value lines and an empty line, then every key below it in
// the same way, depth-first in case-insensitive order.
void AppendKeyTree(std::string& out, const MemoryRegistry::Key& key, const std::string& path);

// Reads the whole script first, so that a malformed one changes nothing, then applies it to the
// store in order: keys are created, "[-...]" removes a key with its subkeys, values are set or
// (with "=-") deleted. A store that refuses a step stops the script there.
void ApplyRegistryScript(RegistryApi& store, std::string_view text);

// A new registry holding what the script states; a script with any fault loads nothing. Lines
// end at CR LF, LF or CR.
MemoryRegistry LoadSnapshot(std::string_view text);

// A registry file as a snapshot: the registry below the three roots the tweaks use, and the key
// sections below HKEY_USERS and HKEY_CURRENT_CONFIG as the file has them, to be written back
// untouched. Nothing here ever reaches those sections.
struct SnapshotDocument {
  MemoryRegistry registry;
  std::vector<std::string> kept_sections;  // each a key line and its value lines, CR LF between
};

// As LoadSnapshot, keeping the other roots' sections (their lines are checked all the same).
SnapshotDocument LoadSnapshotDocument(std::string_view text);

// The registry as a script: every key (empty ones too) depth-first in case-insensitive order,
// in each key the default value first and then the values by name; 8-bit text, CR LF. A root is
// listed only when it holds values itself.
std::string SaveSnapshot(const MemoryRegistry& registry);

// The registry saved as above, then the kept sections in the order the file had them.
std::string SaveSnapshotDocument(const SnapshotDocument& document);

}  // namespace quillmark
