// Registry snapshot files for the command line. They are read in any of the registry editor's
// encodings, and a command that may change one holds it against every other quillmark-cli
// command from start to end, and writes the new state through the text-file writer (a fresh file
// beside it renamed over it, keeping its mode), and only when the registry changed.
#pragma once

#include <memory>
#include <string>

#include "core/failure_classes.h"
#include "fileio/file_destination.h"
#include "fileio/file_system.h"
#include "regfile/registry_file_encoding.h"
#include "regfile/registry_script.h"
#include "stores/memory_registry.h"

namespace quillmark {

class SnapshotFile {
 public:
  // Refuses, before anything runs, what cannot be replaced safely: a folder, a FIFO or a device,
  // a dangling link, a file the user may not write or that is read-only, a place where no new
  // file can be made. Waits while another quillmark-cli command holds the file. A missing file
  // is an empty registry. Raises Exception naming the file.
  static SnapshotFile OpenForChange(const std::string& name);

  MemoryRegistry& Registry() { return document_.registry; }

  // Replaces the file with the registry's snapshot when the registry changed; raises Exception
  // naming the file, which is then as it was, when it cannot.
  void WriteBackIfChanged();

 private:
  SnapshotFile(std::string name, FileLock lock);

  std::string name_;
  FileLock lock_;
  SnapshotDocument document_;
  RegistryFileEncoding encoding_ = RegistryFileEncoding::CodePage;
  std::string loaded_;                            // the registry's snapshot as it was read
  std::unique_ptr<FileDestination> replacement_;  // opened for writing, beside the file
};

// The registry a file states, for a command that only reads; a missing file is an empty
// registry. Raises Exception naming the file when it cannot be read or is not a valid snapshot.
MemoryRegistry ReadSnapshotFile(const std::string& path);

}  // namespace quillmark
