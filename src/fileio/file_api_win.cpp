#include <windows.h>

#include "fileio/file_api.h"
#include "fileio/write_whole.h"

namespace quillmark {

namespace {

HANDLE Native(FileApi::Handle file) { return reinterpret_cast<HANDLE>(file); }

FileApi::Handle Owned(HANDLE file) {
  return file == INVALID_HANDLE_VALUE ? FileApi::kInvalidHandle
                                      : reinterpret_cast<FileApi::Handle>(file);
}

// What a user may have set on a file and a file that replaces it keeps.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class Win32Files final : public FileApi {
 public:
  Handle OpenExisting(const char* name) override {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kInvalidHandle;
    // Wine run as root opens a read-only file for writing all the same.
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &information) &&
        (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
      CloseHandle(file);
      SetLastError(ERROR_ACCESS_DENIED);
      return kInvalidHandle;
    }
    return Owned(file);
  }

  Handle CreateNew(const char* name, const char* like) override {
    const DWORD attributes = GetFileAttributesA(like);
    const DWORD kept = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & kKeptAttributes;
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ALREADY_EXISTS) {
      SetLastError(ERROR_FILE_EXISTS);
    }
    return Owned(file);
  }

  Kind FileKind(Handle file) override {
    switch (GetFileType(Native(file))) {
      case FILE_TYPE_DISK:
        return Kind::Disk;
      case FILE_TYPE_CHAR:
        return Kind::Character;
      case FILE_TYPE_PIPE:
        return Kind::Pipe;
      default:
        return Kind::Unknown;
    }
  }

  // WriteFile may take part of a block, from a pipe's full buffer for one: the rest goes again.
  bool Write(Handle file, const void* data, std::uint32_t size, std::uint32_t* written) override {
    const auto write_some = [file](const char* next, std::uint32_t left, std::uint32_t* done) {
      DWORD taken = 0;
      const BOOL ok = WriteFile(Native(file), next, left, &taken, nullptr);
      *done = taken;
      return ok != FALSE;
    };
    return WriteWhole(write_some, data, size, written);
  }

  bool Flush(Handle file) override { return FlushFileBuffers(Native(file)) != FALSE; }

  bool Close(Handle file) override { return CloseHandle(Native(file)) != FALSE; }

  // A file another program has open cannot be renamed over; those that look into files (an
  // indexer, a virus scanner) let go within moments.
  bool Replace(const char* from, const char* to) override {
    for (int attempt = 1;; ++attempt) {
      if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
      const DWORD error = GetLastError();
      if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == 20) {
        return false;
      }
      Sleep(50);
    }
  }

  bool SyncFolder(const char*) override { return true; }

  bool Remove(const char* name) override { return DeleteFileA(name) != FALSE; }

  std::uint32_t LastError() override { return GetLastError(); }
};

}  // namespace

FileApi& SystemFiles() {
  static Win32Files files;
  return files;
}

}  // namespace quillmark
