#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_api.h"

namespace quillmark {

namespace {

// The Windows code a user would see for the same cause.
std::uint32_t WindowsCode(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kPathNotFound;  // with O_CREAT only a missing folder is missing
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return kAccessDenied;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EEXIST:
      return kFileExists;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    case ETXTBSY:
    case EBUSY:
      return kSharingViolation;
    case EBADF:
      return 6;  // ERROR_INVALID_HANDLE
    case ENOMEM:
      return 8;  // ERROR_NOT_ENOUGH_MEMORY
    case ENXIO:
    case ENODEV:
      return 21;  // ERROR_NOT_READY
    case EINVAL:
      return 87;  // ERROR_INVALID_PARAMETER
    case EPIPE:
      return 109;  // ERROR_BROKEN_PIPE
    case ENAMETOOLONG:
      return 206;  // ERROR_FILENAME_EXCED_RANGE
    case EFBIG:
      return 223;  // ERROR_FILE_TOO_LARGE
    case EIO:
      return 1117;  // ERROR_IO_DEVICE
    case ELOOP:
      return 1921;  // ERROR_CANT_RESOLVE_FILENAME
    default:
      return 31;  // ERROR_GEN_FAILURE
  }
}

thread_local std::uint32_t last_error = 0;

bool Failed() {
  last_error = WindowsCode(errno);
  return false;
}

class PosixFiles final : public FileApi {
 public:
  Handle CreateForWriting(const char* name) override {
    const int file = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0) {
      Failed();
      return kInvalidHandle;
    }
    return file;
  }

  Kind FileKind(Handle file) override {
    struct stat status;
    if (::fstat(static_cast<int>(file), &status) != 0) return Kind::Unknown;
    if (S_ISREG(status.st_mode) || S_ISBLK(status.st_mode)) return Kind::Disk;
    if (S_ISCHR(status.st_mode)) return Kind::Character;
    if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)) return Kind::Pipe;
    return Kind::Unknown;
  }

  bool Write(Handle file, const void* data, std::uint32_t size, std::uint32_t* written) override {
    *written = 0;
    const char* next = static_cast<const char*>(data);
    while (*written < size) {
      const ssize_t done = ::write(static_cast<int>(file), next, size - *written);
      if (done < 0 && errno == EINTR) continue;
      if (done < 0) return Failed();
      if (done == 0) break;  // nothing taken and no error: the writer reports a short write
      *written += static_cast<std::uint32_t>(done);
      next += done;
    }
    return true;
  }

  bool Close(Handle file) override { return ::close(static_cast<int>(file)) == 0 || Failed(); }

  std::uint32_t LastError() override { return last_error; }

  Handle OpenExistingForWriting(const char* name) override {
    const int file = ::open(name, O_WRONLY | O_CLOEXEC);
    if (file >= 0) return file;
    // Without O_CREAT a missing file is missing; a missing folder shows when the file is made.
    if (errno == ENOENT) {
      last_error = kFileNotFound;
    } else {
      Failed();
    }
    return kInvalidHandle;
  }

  Handle CreateNewForWriting(const char* name) override {
    const int file = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file < 0) {
      Failed();
      return kInvalidHandle;
    }
    return file;
  }

  bool Flush(Handle file) override { return ::fsync(static_cast<int>(file)) == 0 || Failed(); }

  bool Replace(const char* from, const char* to) override {
    // The new file takes the place and the permissions of the one it replaces.
    struct stat status;
    if (::stat(to, &status) == 0 && ::chmod(from, status.st_mode & 07777) != 0) return Failed();
    return std::rename(from, to) == 0 || Failed();
  }

  bool Remove(const char* name) override { return ::unlink(name) == 0 || Failed(); }
};

}  // namespace

FileApi& SystemFiles() {
  static PosixFiles files;
  return files;
}

}  // namespace quillmark
