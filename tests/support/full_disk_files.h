// Real files through the platform's own calls, on a disk that is full after a chosen number of
// bytes: the write that crosses the limit puts down what fits and fails with the disk-full code,
// as the platform's write does.
#pragma once

#include <cstdint>

#include "fileio/file_api.h"

namespace quillmark::testing {

class FullDiskFiles final : public FileApi {
 public:
  explicit FullDiskFiles(std::uint64_t room) : room_(room) {}

  Handle OpenExisting(const char* name) override { return real_.OpenExisting(name); }
  Handle CreateNew(const char* name, const char* like) override {
    return real_.CreateNew(name, like);
  }
  Kind FileKind(Handle file) override { return real_.FileKind(file); }
  bool Write(Handle file, const void* data, std::uint32_t size, std::uint32_t* written) override {
    full_ = used_ + size > room_;
    const auto fits = static_cast<std::uint32_t>(full_ ? room_ - used_ : size);
    const bool passed = real_.Write(file, data, fits, written);
    used_ += *written;
    return passed && !full_;
  }
  bool Flush(Handle file) override { return real_.Flush(file); }
  bool Close(Handle file) override { return real_.Close(file); }
  bool Replace(const char* from, const char* to) override { return real_.Replace(from, to); }
  bool SyncFolder(const char* name) override { return real_.SyncFolder(name); }
  bool Remove(const char* name) override { return real_.Remove(name); }
  std::uint32_t LastError() override { return full_ ? kDiskFull : real_.LastError(); }

 private:
  FileApi& real_ = SystemFiles();
  std::uint64_t room_;
  std::uint64_t used_ = 0;
  bool full_ = false;
};

}  // namespace quillmark::testing
