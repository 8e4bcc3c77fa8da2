// A FileApi that writes nowhere: it records every call and refuses the ones a test chooses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fileio/file_api.h"

namespace quillmark::testing {

// ERROR_INVALID_HANDLE, what CloseHandle gives for a handle it cannot close.
inline constexpr std::uint32_t kInvalidHandleCode = 6;

class RecordingFiles final : public FileApi {
 public:
  Kind kind = Kind::Disk;
  std::uint32_t refuse_create = 0;  // a code, or 0 to create
  int refuse_write = 0;             // the n-th write (1 is the first) fails, 0 for none
  std::uint32_t refuse_write_code = kDiskFull;
  int short_write = 0;   // the n-th write takes one byte less, 0 for none
  int refuse_close = 0;  // the n-th close fails, 0 for none
  std::uint32_t refuse_close_code = kInvalidHandleCode;

  std::vector<std::string> calls;   // "create NAME", "kind", "write N", "close", "remove NAME"
  std::vector<std::string> blocks;  // the bytes of each accepted write
  std::string Written() const {
    std::string all;
    for (const std::string& block : blocks) all += block;
    return all;
  }

  Handle CreateForWriting(const char* name) override {
    calls.push_back(std::string("create ") + name);
    if (refuse_create != 0) {
      last_error_ = refuse_create;
      return kInvalidHandle;
    }
    return 7;
  }
  Kind FileKind(Handle) override {
    calls.push_back("kind");
    return kind;
  }
  bool Write(Handle, const void* data, std::uint32_t size, std::uint32_t* written) override {
    calls.push_back("write " + std::to_string(size));
    ++writes_;
    if (writes_ == refuse_write) {
      last_error_ = refuse_write_code;
      *written = 0;
      return false;
    }
    *written = writes_ == short_write ? size - 1 : size;
    blocks.emplace_back(static_cast<const char*>(data), *written);
    return true;
  }
  bool Close(Handle) override {
    calls.push_back("close");
    if (++closes_ == refuse_close) {
      last_error_ = refuse_close_code;
      return false;
    }
    return true;
  }
  bool Remove(const char* name) override {
    calls.push_back(std::string("remove ") + name);
    return true;
  }
  std::uint32_t LastError() override { return last_error_; }

 private:
  std::uint32_t last_error_ = 0;
  int writes_ = 0;
  int closes_ = 0;
};

}  // namespace quillmark::testing
