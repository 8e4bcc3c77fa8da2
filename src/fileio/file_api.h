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
  // CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, no security, CREATE_ALWAYS,
  // FILE_ATTRIBUTE_NORMAL, no template): kInvalidHandle on failure, LastError() telling why.
  virtual Handle CreateForWriting(const char* name) = 0;
  virtual Kind FileKind(Handle file) = 0;  // GetFileType
  // WriteFile: false on failure; written says how many bytes went.
  virtual bool Write(Handle file, const void* data, std::uint32_t size, std::uint32_t* written) = 0;
  virtual bool Close(Handle file) = 0;        // CloseHandle
  virtual bool Remove(const char* name) = 0;  // DeleteFileA
  virtual std::uint32_t LastError() = 0;      // GetLastError
};

// Windows error codes a writer meets.
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kTooManyOpenFiles = 4;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kDiskFull = 112;

// The platform's file calls: Win32 on Windows, POSIX elsewhere.
FileApi& SystemFiles();

}  // namespace quillmark
