// Where the text-file writer's bytes go. A device or a pipe takes them as they come. Anything
// else is replaced whole: the bytes go to a fresh file beside it, made exclusively, which is
// flushed to the disk, closed and renamed over it. Until then the file is as it was, and a fresh
// file given up is removed.
#pragma once

#include <cstdint>
#include <string>

#include "core/unique_owner.h"
#include "fileio/file_api.h"

namespace quillmark {

class FileDestination {
 public:
  explicit FileDestination(FileApi& files) : files_(files), handle_(FileApi::kInvalidHandle) {}
  FileDestination(const FileDestination&) = delete;
  FileDestination& operator=(const FileDestination&) = delete;
  ~FileDestination() { Abandon(); }

  // 0 once open, or the platform's code that refused it. Through links, as the platform opens.
  std::uint32_t Open(const char* target);
  bool IsOpen() const { return static_cast<bool>(handle_); }
  // What takes the bytes: Disk for a fresh file that is to replace the target.
  FileApi::Kind Kind() const { return kind_; }
  // The fresh file's name while there is one, else empty: for a writer that writes the fresh
  // file by its name (the hive library does). What it writes there is flushed by Finish, which
  // syncs the same file through this destination's handle.
  const std::string& FreshPath() const { return fresh_; }
  // 0, or the platform's code; written says how many bytes went, as FileApi::Write.
  std::uint32_t Write(const void* data, std::uint32_t size, std::uint32_t* written);
  // Puts the fresh file in the target's place, or closes a device: 0, or the code of the step
  // that failed, after which the target is as it was, no fresh file is left and nothing is open.
  std::uint32_t Finish();
  // Closes without finishing and removes a fresh file: 0, or the code of a refused close.
  std::uint32_t Abandon();

 private:
  struct Closer {
    FileApi* files = nullptr;
    void operator()(FileApi::Handle file) const { files->Close(file); }
  };

  std::uint32_t MakeFresh();
  // The platform's code, after anything open was given up.
  std::uint32_t Failed();

  FileApi& files_;
  UniqueOwner<FileApi::Handle, Closer, FileApi::kInvalidHandle> handle_;
  FileApi::Kind kind_ = FileApi::Kind::Unknown;
  std::string target_;
  std::string fresh_;  // the file that is to replace the target, while there is one
};

}  // namespace quillmark
