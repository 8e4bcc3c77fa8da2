#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "fileio/file_api.h"
#include "fileio/windows_error_code.h"
#include "fileio/write_whole.h"

namespace quillmark {

namespace {

thread_local std::uint32_t last_error = 0;

bool Failed() {
  last_error = WindowsErrorCode(errno);
  return false;
}

FileApi::Handle Refused(std::uint32_t code) {
  last_error = code;
  return FileApi::kInvalidHandle;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFiles final : public FileApi {
 public:
  Handle OpenExisting(const char* name) override {
    const int file = ::open(name, O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (file < 0) {
      Failed();
      return kInvalidHandle;
    }
    // Read-only by its mode binds root too, who may write anything.
    struct stat status;
    if (::fstat(file, &status) == 0 && S_ISREG(status.st_mode) &&
        (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      ::close(file);
      return Refused(kAccessDenied);
    }
    return file;
  }

  Handle CreateNew(const char* name, const char* like) override {
    const int file = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (file < 0) {
      Failed();
      return kInvalidHandle;
    }
    // The mode of the file it stands for, and its owner where we may give it; a new file keeps
    // what the umask gave.
    struct stat status;
    if (::stat(like, &status) == 0 && S_ISREG(status.st_mode)) {
      if (::fchown(file, status.st_uid, status.st_gid) != 0) {
        [[maybe_unused]] const int ignored = ::fchown(file, static_cast<uid_t>(-1), status.st_gid);
      }
      ::fchmod(file, status.st_mode & 07777);
    }
    return file;
  }

  // A block device takes its bytes in place, as a character device does: nothing may be renamed
  // over it.
  Kind FileKind(Handle file) override {
    struct stat status;
    if (::fstat(static_cast<int>(file), &status) != 0) return Kind::Unknown;
    if (S_ISREG(status.st_mode)) return Kind::Disk;
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return Kind::Character;
    if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)) return Kind::Pipe;
    return Kind::Unknown;
  }

  bool Write(Handle file, const void* data, std::uint32_t size, std::uint32_t* written) override {
    const auto write_some = [file](const char* next, std::uint32_t left, std::uint32_t* done) {
      for (;;) {
        const ssize_t taken = ::write(static_cast<int>(file), next, left);
        if (taken < 0 && errno == EINTR) continue;
        if (taken < 0) return Failed();
        *done = static_cast<std::uint32_t>(taken);
        return true;
      }
    };
    return WriteWhole(write_some, data, size, written);
  }

  bool Flush(Handle file) override { return ::fsync(static_cast<int>(file)) == 0 || Failed(); }

  bool Close(Handle file) override { return ::close(static_cast<int>(file)) == 0 || Failed(); }

  bool Replace(const char* from, const char* to) override {
    return ::rename(from, to) == 0 || Failed();
  }

  bool SyncFolder(const char* name) override {
    const int folder = ::open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return Failed();
    const bool synced = ::fsync(folder) == 0 || Failed();
    ::close(folder);
    return synced;
  }

  // A regular file only, not through a link: a device or a link's target is never removed.
  bool Remove(const char* name) override {
    struct stat status;
    if (::lstat(name, &status) != 0) return Failed();
    if (!S_ISREG(status.st_mode)) {
      last_error = kAccessDenied;
      return false;
    }
    return ::unlink(name) == 0 || Failed();
  }

  std::uint32_t LastError() override { return last_error; }
};

}  // namespace

FileApi& SystemFiles() {
  static PosixFiles files;
  return files;
}

}  // namespace quillmark
