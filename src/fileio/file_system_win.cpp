#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <utility>

#include "fileio/file_failure.h"
#include "fileio/file_messages.h"
#include "fileio/file_system.h"
#include "fileio/output_text_file.h"

namespace quillmark {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string Reason(DWORD error) { return IoErrorMessage(static_cast<int>(error)); }

bool NotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::string FullPath(const std::string& name) {
  char buffer[MAX_PATH * 2];
  const DWORD length = GetFullPathNameA(name.c_str(), sizeof buffer, buffer, nullptr);
  return length == 0 || length >= sizeof buffer ? name : std::string(buffer, length);
}

// The path the system opened, links followed, without the "\\?\" it puts before it.
std::string FinalPath(HANDLE file, const std::string& name) {
  char buffer[MAX_PATH * 2];
  const DWORD length = GetFinalPathNameByHandleA(file, buffer, sizeof buffer, FILE_NAME_NORMALIZED);
  if (length == 0 || length >= sizeof buffer) return FullPath(name);
  std::string path(buffer, length);
  if (path.starts_with("\\\\?\\UNC\\")) return "\\\\" + path.substr(8);
  if (path.starts_with("\\\\?\\")) return path.substr(4);
  return path;
}

std::string ReadAll(HANDLE file, const std::string& path) {
  std::string bytes;
  char block[65536];
  while (true) {
    DWORD got = 0;
    if (!ReadFile(file, block, sizeof block, &got, nullptr)) {
      FailOnFile(path, kFileCannotBeRead, Reason(GetLastError()));
    }
    if (got == 0) return bytes;
    bytes.append(block, got);
  }
}

// An open disk file for reading, or no handle when there is no file.
HANDLE OpenForReading(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (NotFound(error)) return INVALID_HANDLE_VALUE;
    FailOnFile(path, kFileCannotBeRead, Reason(error));
  }
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    FailOnFile(path, kFileIsSpecial, "");
  }
  return file;
}

// One name for every spelling of the path that differs only in letter case.
std::string MutexName(const std::string& path) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    hash = (hash ^ (byte >= 'A' && byte <= 'Z' ? byte + 32 : byte)) * 1099511628211ull;
  }
  char name[64];
  std::snprintf(name, sizeof name, "Local\\quillmark-cli %016llx",
                static_cast<unsigned long long>(hash));
  return name;
}

}  // namespace

FileTarget FindTarget(const std::string& name) {
  FileTarget target{FullPath(name), FileKind::Missing, false};
  Handle file(CreateFileA(name.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (NotFound(error) && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      target.kind = FileKind::DanglingLink;
    }
    return target;
  }
  target.path = FinalPath(file.get(), name);
  BY_HANDLE_FILE_INFORMATION information;
  if (GetFileType(file.get()) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(file.get(), &information)) {
    target.kind = FileKind::Special;
  } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    target.kind = FileKind::Folder;
  } else {
    target.kind = FileKind::Regular;
    const Handle writing(CreateFileA(target.path.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    target.writable = (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0 &&
                      (writing.valid() || GetLastError() != ERROR_ACCESS_DENIED);
  }
  return target;
}

std::string ReadRegularFile(const std::string& path) {
  const Handle file(OpenForReading(path));
  if (!file.valid()) FailOnFile(path, kFileCannotBeRead, Reason(ERROR_FILE_NOT_FOUND));
  return ReadAll(file.get(), path);
}

// A named mutex per full path: the file itself cannot be held open while it is renamed over, and
// a mutex leaves no file behind and is let go when its holder ends in any way. Names that reach
// one file by different ways (links, short names) are not held apart.
FileLock FileLock::Acquire(const std::string& name) {
  const std::string path = FullPath(name);
  HANDLE mutex = CreateMutexA(nullptr, FALSE, MutexName(path).c_str());
  if (mutex == nullptr) FailOnFile(path, kFileCannotBeHeld, Reason(GetLastError()));
  const DWORD waited = WaitForSingleObject(mutex, INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    const DWORD error = GetLastError();
    CloseHandle(mutex);
    FailOnFile(path, kFileCannotBeHeld, Reason(error));
  }
  return FileLock(reinterpret_cast<std::intptr_t>(mutex), name);
}

std::optional<std::string> FileLock::Read() const {
  const Handle file(OpenForReading(path_));
  if (!file.valid()) return std::nullopt;
  return ReadAll(file.get(), path_);
}

void FileLock::Release::operator()(std::intptr_t handle) const noexcept {
  HANDLE mutex = reinterpret_cast<HANDLE>(handle);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

}  // namespace quillmark
