#include <windows.h>

#include "platform/file_api.h"

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

  bool Write(Handle file, const void* data, std::uint32_t size, std::uint32_t* written) override {
    DWORD done = 0;
    const BOOL ok = WriteFile(Native(file), data, size, &done, nullptr);
    *written = done;
    return ok != FALSE;
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
