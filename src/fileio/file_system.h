// The file-system calls quillmark-cli and the hive store make to change a file safely: what a
// name stands for and a hold on a file against the other quillmark-cli commands. POSIX here,
// Win32 on Windows. The file itself is replaced through fileio/file_destination.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/unique_owner.h"

namespace quillmark {

enum class FileKind { Missing, Regular, Folder, Special, DanglingLink, LinkLoop };

struct FileTarget {
  std::string path;  // where the name's links end: the file to read and to replace
  FileKind kind = FileKind::Missing;
  bool writable = false;  // a regular file the user may write and that is not read-only
};

// What the name stands for, its links followed; raises nothing (what cannot be looked at is
// missing, and the steps after say why).
FileTarget FindTarget(const std::string& name);

// The bytes of a regular file, read without holding it. Raises Exception naming the path.
std::string ReadRegularFile(const std::string& path);

// Holds the place of the file a name leads to against every other quillmark-cli command, from
// Acquire until the lock is gone; Acquire waits while another command holds it. What is no
// regular file is not held: the caller refuses it.
class FileLock {
 public:
  // Raises Exception naming the file when its place cannot be held.
  static FileLock Acquire(const std::string& name);

  // The file's bytes as they are under the lock; nothing when there is no file. Raises
  // Exception naming the path.
  std::optional<std::string> Read() const;

 private:
  // Lets the file or folder go (POSIX: its descriptor), or the mutex (Windows).
  struct Release {
    void operator()(std::intptr_t handle) const noexcept;
  };

  FileLock(std::intptr_t handle, std::string path) : handle_(handle), path_(std::move(path)) {}

  UniqueOwner<std::intptr_t, Release, -1> handle_;  // the locked file or folder, or the mutex
  std::string path_;
};

}  // namespace quillmark
