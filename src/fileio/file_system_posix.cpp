#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "fileio/file_failure.h"
#include "fileio/file_messages.h"
#include "fileio/file_system.h"
#include "fileio/output_text_file.h"
#include "fileio/windows_error_code.h"

namespace quillmark {

namespace {

constexpr int kNoFile = -1;
constexpr int kMostLinks = 40;  // as the kernel follows them

std::string Reason(int error) { return IoErrorMessage(static_cast<int>(WindowsErrorCode(error))); }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Where a link leads, relative links taken from the link's own folder.
std::string LinkTarget(const std::string& link) {
  std::vector<char> buffer(256);
  while (true) {
    const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (length < 0) return link;
    if (static_cast<std::size_t>(length) < buffer.size()) {
      const std::string target(buffer.data(), static_cast<std::size_t>(length));
      if (target.starts_with('/') || link.find('/') == std::string::npos) return target;
      return link.substr(0, link.rfind('/') + 1) + target;
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool SameFile(int file, const std::string& path) {
  struct stat held;
  struct stat named;
  return ::fstat(file, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

void LockWholly(int file, const std::string& path) {
  while (::flock(file, LOCK_EX) != 0) {
    if (errno != EINTR) {
      const int error = errno;
      ::close(file);
      FailOnFile(path, kFileCannotBeHeld, Reason(error));
    }
  }
}

std::string ReadAll(int file, const std::string& path) {
  std::string bytes;
  char block[65536];
  for (off_t at = 0;;) {
    const ssize_t got = ::pread(file, block, sizeof block, at);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) FailOnFile(path, kFileCannotBeRead, Reason(errno));
    if (got == 0) return bytes;
    bytes.append(block, static_cast<std::size_t>(got));
    at += got;
  }
}

// A regular file opened for reading; a FIFO put in its place makes no open wait.
int OpenRegular(const std::string& path) {
  const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) return kNoFile;
  struct stat status;
  if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(file);
    FailOnFile(path, kFileIsSpecial, "");
  }
  return file;
}

}  // namespace

FileTarget FindTarget(const std::string& name) {
  FileTarget target{name, FileKind::Missing, false};
  struct stat status;
  for (int links = 0;; ++links) {
    if (::lstat(target.path.c_str(), &status) != 0) {
      // The links of /proc name what no path reaches ("pipe:[81]" for /dev/stdout into a pipe),
      // yet the name itself opens: it is what the name opens.
      if (links > 0 && ::stat(name.c_str(), &status) == 0) {
        target.path = name;
        break;
      }
      if (links > 0) target.kind = FileKind::DanglingLink;
      return target;
    }
    if (!S_ISLNK(status.st_mode)) break;
    if (links == kMostLinks) {
      target.kind = FileKind::LinkLoop;
      return target;
    }
    target.path = LinkTarget(target.path);
  }
  if (S_ISDIR(status.st_mode)) {
    target.kind = FileKind::Folder;
  } else if (S_ISREG(status.st_mode)) {
    target.kind = FileKind::Regular;
    // Read-only by its mode counts for everyone, root too, who may write anything.
    target.writable = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
                      ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) == 0;
  } else {
    target.kind = FileKind::Special;
  }
  return target;
}

std::string ReadRegularFile(const std::string& path) {
  const int file = OpenRegular(path);
  if (file == kNoFile) FailOnFile(path, kFileCannotBeRead, Reason(errno));
  std::string bytes;
  try {
    bytes = ReadAll(file, path);
  } catch (...) {
    ::close(file);
    throw;
  }
  ::close(file);
  return bytes;
}

// The lock is on the file itself, through its links. A command that waited may find the file
// replaced by the one before it: it then holds the new file instead, so that two commands never
// hold one file at once. A missing file's place is held on its folder until the file is there.
FileLock FileLock::Acquire(const std::string& name) {
  while (true) {
    // Non-blocking, so that a FIFO in the file's place makes no open wait.
    const int file = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file != kNoFile) {
      struct stat status;
      if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(file);
        return FileLock(kNoFile, name);
      }
      LockWholly(file, name);
      if (SameFile(file, name)) return FileLock(file, name);
      ::close(file);
      continue;
    }
    if (errno == ELOOP) return FileLock(kNoFile, name);
    if (errno != ENOENT) FailOnFile(name, kFileCannotBeHeld, Reason(errno));
    const int folder = ::open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0 && (errno == ENOENT || errno == ENOTDIR)) {
      FailOnFile(name, kFileCannotBeReplaced, Reason(errno));  // there is no folder to make it in
    }
    if (folder < 0) FailOnFile(name, kFileCannotBeHeld, Reason(errno));
    LockWholly(folder, name);
    struct stat status;
    if (::stat(name.c_str(), &status) != 0 && errno == ENOENT) return FileLock(folder, name);
    ::close(folder);
  }
}

std::optional<std::string> FileLock::Read() const {
  struct stat status;
  if (!handle_) return std::nullopt;
  if (::fstat(static_cast<int>(handle_.get()), &status) != 0) {
    FailOnFile(path_, kFileCannotBeRead, Reason(errno));
  }
  if (S_ISDIR(status.st_mode)) return std::nullopt;  // the place of a missing file
  return ReadAll(static_cast<int>(handle_.get()), path_);
}

void FileLock::Release::operator()(std::intptr_t handle) const noexcept {
  ::close(static_cast<int>(handle));
}

}  // namespace quillmark
