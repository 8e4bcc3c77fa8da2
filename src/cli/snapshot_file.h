// Registry snapshot files for the command line.
#pragma once

#include <string>

#include "platform/failure_classes.h"
#include "platform/memory_registry.h"
#include "platform/registry_script.h"

namespace quillmark {

// The registry the file states; a missing file is an empty registry. Raises Exception naming the
// file when it cannot be read or is not a valid snapshot.
MemoryRegistry ReadSnapshotFile(const std::string& path);

// Replaces the file with the registry's canonical snapshot; raises Exception when it cannot.
void WriteSnapshotFile(const std::string& path, const MemoryRegistry& registry);

}  // namespace quillmark
