#include <windows.h>

#include "fileio/file_api.h"
#include "fileio/write_whole.h"

namespace quillmark {

namespace {

HANDLE Native(FileApi::Handle file) { return reinterpret_cast<HANDLE>(file); }

class Win32Files final : public FileApi {
 public:
  Handle CreateForWriting(const char* name) override {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? kInvalidHandle : reinterpret_cast<Handle>(file);
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

  bool Close(Handle file) override { return CloseHandle(Native(file)) != FALSE; }

  bool Remove(const char* name) override { return DeleteFileA(name) != FALSE; }

  std::uint32_t LastError() override { return GetLastError(); }
};

}  // namespace

FileApi& SystemFiles() {
  static Win32Files files;
  return files;
}

}  // namespace quillmark
