// The file calls the text-file writer makes, shaped after kernel32's, with Windows error codes.
#pragma once

#include <cstdint>

namespace quillmark {

class FileApi {
 public:
  using Handle = std::intptr_t;
  static constexpr Handle kInvalidHandle = -1;
  enum class Kind { Unknown, Disk, Character, Pipe };

  virtual ~FileApi() = default;
  // CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, no security, OPEN_EXISTING, ...): what is
  // there, opened for writing and left as it is. A read-only file is refused to everyone, as
  // Windows refuses it. kInvalidHandle on failure, LastError() telling why.
  virtual Handle OpenExisting(const char* name) = 0;
  // CreateFileA(name, GENERIC_WRITE, no sharing, no security, CREATE_NEW, ...), never through a
  // link, given what the user set on the file like where it is one: its mode and owner (where
  // the system lets us), its hidden, system and archive attributes. kFileExists when the name
  // is taken.
  virtual Handle CreateNew(const char* name, const char* like) = 0;
  virtual Kind FileKind(Handle file) = 0;  // GetFileType
  // WriteFile: false on failure; written says how many bytes went.
  virtual bool Write(Handle file, const void* data, std::uint32_t size, std::uint32_t* written) = 0;
  virtual bool Flush(Handle file) = 0;  // FlushFileBuffers: the bytes on the disk
  virtual bool Close(Handle file) = 0;  // CloseHandle
  // MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
  virtual bool Replace(const char* from, const char* to) = 0;
  // The folder that holds name on the disk, so that a rename in it lasts; Windows did that in
  // Replace.
  virtual bool SyncFolder(const char* name) = 0;
  virtual bool Remove(const char* name) = 0;  // DeleteFileA
  virtual std::uint32_t LastError() = 0;      // GetLastError
};

// Windows error codes a writer meets.
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kTooManyOpenFiles = 4;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kFileExists = 80;
inline constexpr std::uint32_t kDiskFull = 112;

// The platform's file calls: Win32 on Windows, POSIX elsewhere.
FileApi& SystemFiles();

}  // namespace quillmark
