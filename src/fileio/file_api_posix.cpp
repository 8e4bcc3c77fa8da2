#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

  bool Close(Handle file) override { return ::close(static_cast<int>(file)) == 0 || Failed(); }

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
